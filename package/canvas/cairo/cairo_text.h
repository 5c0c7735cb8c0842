// Text through Cairo's toy font API, shared by the canvas's glyphs and the headless
// text window: unantialiased glyphs placed by the top-left corner of their cell.
#pragma once

#include "canvas/cairo/cairo_handles.h"

#include <map>
#include <string>
#include <string_view>

namespace tavro {

struct CairoLineMetrics {
    int ascent = 0;  // rows from the cell's top to the baseline
    int height = 0;  // the cell's height: ascent plus descent, rounded
};

// Selects face at a character height of pixel_size pixels, without antialiasing.
void select_cairo_font(cairo_t* context, const char* face, double pixel_size);
CairoLineMetrics cairo_line_metrics(cairo_t* context);

// One face at the sizes asked for so far, each selected and measured once: the
// font machinery is far slower than drawing a short label.
class CairoFontCache {
public:
    explicit CairoFontCache(const char* face) : face_(face) {}
    // Makes the face at pixel_size the context's font and gives its line metrics.
    CairoLineMetrics use(cairo_t* context, int pixel_size);

private:
    struct Font {
        CairoScaledFont font;
        CairoLineMetrics metrics;
    };
    const char* face_;
    std::map<int, Font> fonts_;
};

// Texts are 8-bit; Cairo wants UTF-8. Bytes become the code points 0..255, and
// control characters become spaces, so that no byte sequence can put the
// context into an error state.
std::string byte_text_to_utf8(std::string_view text);

// Draws one line in the current source colour with its cell's top-left corner at (left, top).
void show_cairo_line(cairo_t* context, const CairoLineMetrics& metrics, double left, double top, std::string_view text);

}  // namespace tavro
