// Where a glyph cache gets its glyphs: a face that measures lines and
// rasterises characters, each once per size.
#pragma once

#include "canvas/pixels/scan_fill.h"

#include <vector>

namespace tavro {

struct FontLineMetrics {
    int ascent = 0;  // rows from a line's top to its baseline
    int height = 0;  // the line's height: ascent plus descent
};

// A glyph at one size, placed with its origin at (0, 0) on the baseline.
struct Glyph {
    int advance = 0;
    std::vector<ScanSpan> spans;  // rows relative to the baseline, columns to the origin
};

class GlyphSource {
public:
    virtual FontLineMetrics line_metrics(int pixel_size) const = 0;
    // The glyph of a Latin-1 character.
    virtual Glyph glyph(unsigned char character, int pixel_size) const = 0;

protected:
    GlyphSource() = default;
    GlyphSource(const GlyphSource&) = default;
    GlyphSource& operator=(const GlyphSource&) = default;
    ~GlyphSource() = default;
};

}  // namespace tavro
