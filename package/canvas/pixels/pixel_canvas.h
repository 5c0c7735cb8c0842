// Pixel canvas: the package's 601 x 540 off-screen image drawn entirely by the
// package's own pixel code, for hosts without Cairo (the browser).
//
// Implements Canvas::render with the same pixels as the Cairo canvas: the exact
// shapes (pixels, one-pixel lines, boxes, ellipses) come from the same code;
// polygon interiors and wide pens (round caps and joins) are filled with the
// sampling, edge and stroke rules of the Cairo canvas's library without
// antialiasing; text is Liberation Sans, embedded at build time.
//
// Speed: as the Cairo canvas, a clear waits for the next command so that a
// frame's background box is not painted twice, short vertical lines are
// gathered and written together, and glyphs are rasterised once per size.
//
// Dependencies: the C++ standard library and stb_truetype (libstb-dev).
//
// Known limits: glyphs are not hinted, so text differs from the Cairo canvas's
// by a pixel here and there in stems, heights and advances. Points far outside
// the image are cut down to a box around it first, as on the Cairo canvas.
#pragma once

#include "canvas/pixels/column_batch.h"
#include "canvas/pixels/glyph_cache.h"
#include "canvas/pixels/pixel_writer.h"
#include "platform.h"
#include "canvas/pixels/scan_fill.h"

#include <cstdint>
#include <vector>

namespace tavro {

class PixelCanvas final : public Canvas {
public:
    // A new image is black until it is first cleared.
    PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    void render(const DrawCommand& command, Rgb colour, int origin_x, int origin_y) override;
    void clear_white_framed() override;
    Rgb pixel(int column, int row) const override;

    // What a host copies to its screen.
    PixelRows pixel_rows() const override;
    // The line height of text drawn at point_size (0: the default size).
    static int text_line_height(int point_size);

private:
    void draw_line(std::uint32_t word, long long width, PenPoint from, PenPoint to);
    void draw_oval(std::uint32_t word, long long width, const PixelBox& box);
    void draw_triangle(std::uint32_t word, long long width, PenPoint p1, PenPoint p2, PenPoint p3);
    void draw_text(std::uint32_t word, PenPoint anchor, int point_size, const char* text);
    // Fills the outline gathered in outline_ (the library's rules).
    void fill_outline(std::uint32_t word);
    // Paints a waiting clear everywhere except the covered box (columns left..right-1, rows top..bottom-1).
    void paint_clear(PixelCoord left, PixelCoord top, PixelCoord right, PixelCoord bottom) const;
    // Finishes all drawing so far, for readers of the image.
    void settle() const;
    void gather_column(PenPoint from, PenPoint to, std::uint32_t word);
    void write_columns() const { columns_.write(memory_.stride); }

    std::vector<std::uint32_t> pixels_;
    ImageMemory memory_;
    GlyphCache glyphs_;
    ScanPolygon outline_;
    std::vector<ScanSpan> spans_;
    mutable bool clear_pending_ = false;
    mutable ColumnBatch columns_;
};

}  // namespace tavro
