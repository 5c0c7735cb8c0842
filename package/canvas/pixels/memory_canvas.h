// A canvas whose image lies in memory as rows of 0x00RRGGBB words, the base of
// the Cairo canvas and of the pixel canvas.
//
// Implements Canvas::render with the package's edge rules for everything that
// must hold to the pixel, written straight into memory: pixels, one-pixel lines
// (the end pixel left out), filled and framed boxes (both corners included),
// ellipses inscribed in their box, and a triangle's one-pixel outline. Polygon
// interiors and pens wider than one pixel are filled with the package's own
// rasteriser (the sampling, edge and stroke rules of the Cairo canvas's
// library without antialiasing, so both canvases take the same pixels), with
// paths through pixel centres cut to a box around the image; text is handed to
// the subclass.
//
// Speed: a clear waits for the next command, so that a filled box drawn right
// after it (a new frame's background) is not painted twice; queued vertical lines
// are written together in one tight loop; the rasteriser's outlines and spans
// keep their storage from shape to shape, so a frame's fills do not allocate.
#pragma once

#include "canvas/pixels/ellipse_shape.h"
#include "canvas/pixels/glyph_cache.h"
#include "canvas/pixels/path_clip.h"
#include "canvas/pixels/pen_stroke.h"
#include "canvas/pixels/pixel_writer.h"
#include "canvas/pixels/scan_fill.h"
#include "seam/canvas.h"

#include <cstdint>
#include <vector>

namespace tavro {

class MemoryCanvas : public Canvas {
public:
    void render(const DrawCommand& command, Rgb colour, int origin_x, int origin_y) final;
    void clear_white_framed() final;
    Rgb pixel(int column, int row) const final;
    PixelRows pixel_rows() const final;

protected:
    explicit MemoryCanvas(const ImageMemory& memory) : memory_(memory) {}
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    // Paths run through pixel centres and are already cut to the image's surroundings; a fill
    // gets at least three points.
    virtual void fill_path(Rgb colour, const std::vector<PathPoint>& points);
    virtual void stroke_path(Rgb colour, long long width, const std::vector<PathPoint>& points, bool closed);
    // text is not empty; anchor is the lower-left corner of the first line's cell.
    virtual void draw_text(Rgb colour, PenPoint anchor, int point_size, const char* text) = 0;
    // Called before this class writes the memory, and once all drawing is to be in memory:
    // a rasteriser that keeps drawing of its own brings it in step here.
    virtual void before_memory_write() const {}
    virtual void finish_drawing() const {}

    // Draws a text command's lines with the glyphs of the cache.
    void draw_glyph_text(GlyphCache& glyphs, Rgb colour, PenPoint anchor, int point_size, const char* text);
    // Finishes all drawing so far, for readers of the image.
    void settle() const;
    const ImageMemory& memory() const { return memory_; }

private:
    PixelWriter memory_writer(std::uint32_t word) const;
    // Paints a waiting clear everywhere except the covered box (columns left..right-1, rows top..bottom-1).
    void paint_clear(PixelCoord left, PixelCoord top, PixelCoord right, PixelCoord bottom) const;
    // The lines land at scattered places: written in one loop, their cache misses overlap.
    void render_columns(const ColumnLine* lines, std::size_t count, int origin_x, int origin_y) const final;
    void draw_line(Rgb colour, long long width, PenPoint from, PenPoint to);
    void draw_oval(Rgb colour, long long width, const PixelBox& box);
    void draw_triangle(Rgb colour, long long width, PenPoint p1, PenPoint p2, PenPoint p3);
    // Fills the outline gathered in outline_ and empties it.
    void fill_outline(Rgb colour);

    ImageMemory memory_;
    mutable bool clear_pending_ = false;
    std::vector<PathPoint> path_;  // the path being drawn, its storage kept from shape to shape
    std::vector<FixedPoint> fixed_path_;
    ScanPolygon outline_;
    std::vector<ScanSpan> spans_;
    StrokeMemory stroke_memory_;
};

}  // namespace tavro
