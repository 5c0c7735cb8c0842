// Cairo canvas: the package's 601 x 540 off-screen image as a Cairo RGB24 image
// surface, used by the headless and the desktop hosts.
//
// Implements Canvas::render with the package's edge rules: a filled box includes
// both corner pixels, an inscribed ellipse stays inside its box and touches all
// four sides, a one-pixel line leaves out its end pixel. These pixel-exact shapes
// are written straight into the surface's memory by the package's own pixel code
// (canvas/pixels); polygon interiors, pens wider than one pixel and text go
// through Cairo, all without antialiasing.
//
// Speed: memory and Cairo are brought in step only when the other is about to
// draw or the image is read; a clear waits for the next command, so that a
// filled box drawn right after it (a new frame's background) is not painted
// twice; short vertical lines are gathered and written together; fonts are
// selected once per size.
//
// Dependencies: cairo (image surfaces, toy font API, PNG writer); fontconfig gives
// "TAVRO-font" the face Liberation Sans (fonts-liberation2) through the project's alias.
//
// Known limits: wide pens are Cairo strokes with round ends and joins, and the
// text face is whatever fontconfig substitutes, so those pixels are close to, but
// not the same as, the 32-bit desktop's. Points far outside the image are cut
// down to a box around it before they reach Cairo.
#pragma once

#include "canvas/cairo/cairo_handles.h"
#include "canvas/cairo/cairo_text.h"
#include "canvas/pixels/column_batch.h"
#include "canvas/pixels/ellipse_shape.h"
#include "canvas/pixels/pixel_writer.h"
#include "platform.h"
#include "canvas/pixels/text_placement.h"

#include <cstdint>
#include <string>

namespace tavro {

class CairoCanvas final : public Canvas {
public:
    // A text command with point size 0 gets this character height.
    static constexpr int DEFAULT_POINT_SIZE = tavro::DEFAULT_POINT_SIZE;

    // A new image is black until it is first cleared.
    CairoCanvas();

    void render(const DrawCommand& command, Rgb colour, int origin_x, int origin_y) override;
    void clear_white_framed() override;
    Rgb pixel(int column, int row) const override;
    PixelRows pixel_rows() const override;

    // The surface, with every drawing so far in its memory.
    cairo_surface_t* surface() const;
    // The line height of text drawn at point_size (0: the default size).
    static int text_line_height(int point_size);

private:
    // The image's rows of 0x00RRGGBB words, current until the next drawing.
    const ImageMemory& memory() const;
    void stroke_line(Rgb colour, long long width, PenPoint from, PenPoint to) const;
    void stroke_oval(Rgb colour, long long width, const PixelBox& box) const;
    void draw_triangle(Rgb colour, long long width, PenPoint p1, PenPoint p2, PenPoint p3) const;
    void draw_text(Rgb colour, PenPoint anchor, int point_size, const char* text);
    // Brings what Cairo drew into the memory.
    void take_cairo_drawing() const;
    // A writer for the memory, once what Cairo drew is in it.
    PixelWriter memory_writer(std::uint32_t word) const;
    // The context, once Cairo knows what was written into the memory.
    cairo_t* cairo() const;
    // Paints a waiting clear everywhere except the covered box (columns
    // left..right-1, rows top..bottom-1).
    void paint_clear(PixelCoord left, PixelCoord top, PixelCoord right, PixelCoord bottom) const;
    // Finishes all drawing so far, for readers of the image.
    void settle() const;
    // Gathers a vertical one-pixel line (the line's own edge rule: its end pixel is left out).
    void gather_column(PenPoint from, PenPoint to, std::uint32_t word);
    // Writes the gathered vertical lines, before anything else draws or reads.
    void write_columns() const { columns_.write(memory_.stride); }

    CairoSurface surface_;
    CairoContext context_;
    ImageMemory memory_;
    CairoFontCache fonts_;
    mutable bool cairo_drew_ = false;      // Cairo may hold drawing not yet in memory
    mutable bool memory_written_ = false;  // Cairo has not yet been told of memory writes
    mutable bool clear_pending_ = false;
    mutable ColumnBatch columns_;
};

}  // namespace tavro
