// Pixel canvas: the package's 601 x 540 off-screen image drawn entirely by the
// package's own pixel code, for hosts without Cairo (the browser).
//
// Gives the same pixels as the Cairo canvas: every shape comes from their
// common base (MemoryCanvas); text is Liberation Sans, embedded at build time,
// its glyphs rasterised once per size.
//
// Dependencies: the C++ standard library and stb_truetype (libstb-dev).
//
// Known limits: glyphs are not hinted, so text differs from the Cairo canvas's
// by a pixel here and there in stems, heights and advances. Points far outside
// the image are cut down to a box around it first, as on the Cairo canvas.
#pragma once

#include "canvas/pixels/glyph_cache.h"
#include "canvas/pixels/memory_canvas.h"

#include <cstdint>
#include <vector>

namespace tavro {

// The image's memory, made before the canvas that draws into it.
struct PixelStore {
    std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(std::size_t{Canvas::WIDTH} * Canvas::HEIGHT, 0);
};

class PixelCanvas final : private PixelStore, public MemoryCanvas {
public:
    // A new image is black until it is first cleared.
    PixelCanvas();

    // The line height of text drawn at point_size (0: the default size).
    static int text_line_height(int point_size);

private:
    void draw_text(Rgb colour, PenPoint anchor, int point_size, const char* text) override;

    GlyphCache glyphs_;
};

}  // namespace tavro
