// The TrueType file the build embeds for the pixel canvas's text; the build
// generates its definition from the system's font (TAVRO_FONT_FILE).
#pragma once

#include <cstddef>

namespace tavro {

extern const unsigned char embedded_font_data[];
extern const std::size_t embedded_font_size;

}  // namespace tavro
