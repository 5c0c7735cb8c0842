// Exact pixel work on an RGB24 image surface: single pixels, solid boxes and
// one-pixel lines, clipped to the image. Shapes whose edge rules must hold to
// the pixel are drawn here rather than through Cairo's rasteriser.
#pragma once

#include "platform.h"

#include <cairo.h>

#include <cstdint>

namespace tavro {

// Pixel coordinates wide enough that origin plus any int coordinate cannot overflow.
using PixelCoord = long long;

class PixelWriter {
public:
    // Flushes Cairo's pending drawing so that the memory holds the current image.
    PixelWriter(cairo_surface_t* surface, Rgb colour);
    // Tells Cairo the memory has changed.
    ~PixelWriter();
    PixelWriter(const PixelWriter&) = delete;
    PixelWriter& operator=(const PixelWriter&) = delete;

    void pixel(PixelCoord column, PixelCoord row);
    // Columns left..right-1 of rows top..bottom-1.
    void fill(PixelCoord left, PixelCoord top, PixelCoord right, PixelCoord bottom);
    // Columns left..right (inclusive) of one row.
    void span(PixelCoord row, PixelCoord left, PixelCoord right) { fill(left, row, right + 1, row + 1); }
    // An integer line from (x0, y0) towards (x1, y1); the end pixel itself is not drawn.
    void line(PixelCoord x0, PixelCoord y0, PixelCoord x1, PixelCoord y1);

private:
    cairo_surface_t* surface_;
    unsigned char* data_;
    int stride_;
    int width_;
    int height_;
    std::uint32_t value_;
};

}  // namespace tavro
