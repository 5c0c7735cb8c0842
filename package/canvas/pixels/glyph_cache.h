// Glyphs of one font, rasterised once per size and character and then drawn
// as spans: a frame's labels repeat the same few characters at the same sizes.
#pragma once

#include "canvas/pixels/glyph_source.h"
#include "canvas/pixels/pixel_writer.h"

#include <array>
#include <map>
#include <memory>
#include <string_view>

namespace tavro {

class GlyphCache {
public:
    explicit GlyphCache(const GlyphSource& font) : font_(font) {}

    FontLineMetrics line_metrics(int pixel_size) { return size(pixel_size).metrics; }
    // Draws one line of text with its cell's top-left corner at (left, top); control characters show as spaces.
    void draw_line(PixelWriter& writer, int pixel_size, PixelCoord left, PixelCoord top, std::string_view text);

private:
    struct Size {
        FontLineMetrics metrics;
        std::array<std::unique_ptr<Glyph>, 256> glyphs;
    };
    Size& size(int pixel_size);

    const GlyphSource& font_;
    std::map<int, Size> sizes_;
};

}  // namespace tavro
