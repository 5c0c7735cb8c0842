// The text face of the pixel canvas: a TrueType font read with stb_truetype,
// measured as the Cairo canvas measures its face (line metrics in whole
// pixels, advances rounded) and rasterised without antialiasing, a pixel being
// set when its centre lies inside the glyph's outline.
//
// Dependencies: stb_truetype (libstb-dev). Known limits: the outlines are not
// hinted, so stems, heights and advances may fall one pixel away from the
// hinted glyphs of the Cairo canvas; no kerning.
#pragma once

#include "canvas/pixels/glyph_source.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace tavro {

class PixelFont final : public GlyphSource {
public:
    // Reads a TrueType file held in memory that outlives the font; throws when it cannot be read.
    PixelFont(const unsigned char* data, std::size_t size);
    ~PixelFont();
    PixelFont(const PixelFont&) = delete;
    PixelFont& operator=(const PixelFont&) = delete;

    FontLineMetrics line_metrics(int pixel_size) const override;
    // Characters the font lacks get its missing-glyph box.
    Glyph glyph(unsigned char character, int pixel_size) const override;

private:
    struct Face;
    std::unique_ptr<Face> face_;
};

// The font the build embedded: Liberation Sans, the face "TAVRO-font" has on every host.
const PixelFont& embedded_font();

}  // namespace tavro
