// The 24 named colours.
#pragma once

#include "core/text_window.h"
#include "seam/host.h"
#include <tavro/display.h>

#include <string_view>

namespace tavro {

extern const tavro::Rgb colour_values[];
extern const std::string_view colour_names[];

// Reports an invalid colour index in the text window; returns red, which stands for it.
int report_illegal_colour(Console& text, int colour);

// A valid colour index; any other value is reported and becomes red. Inline: every drawing
// call checks its colour, a snow frame 10,000 times.
inline int check_colour(Console& text, int colour)
{
    return colour >= 0 && colour < COLOUR_COUNT ? colour : report_illegal_colour(text, colour);
}

}  // namespace tavro
