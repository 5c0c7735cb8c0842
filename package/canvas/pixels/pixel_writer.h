// Exact pixel work on an RGB24 image in memory: single pixels, solid boxes and
// one-pixel lines, clipped to the image. Every canvas that keeps its image in
// memory draws the shapes whose edge rules must hold to the pixel here.
#pragma once

#include "seam/canvas.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tavro {

// Pixel coordinates wide enough that origin plus any int coordinate cannot overflow.
using PixelCoord = long long;

// A pixel's position, the column and row of a drawing command's point.
struct PenPoint {
    PixelCoord column;
    PixelCoord row;
};

// Columns left..right-1 of rows top..bottom-1.
struct PixelBox {
    PixelCoord left = 0;
    PixelCoord top = 0;
    PixelCoord right = 0;
    PixelCoord bottom = 0;
};

// Rows of 32-bit 0x00RRGGBB words, stride bytes apart.
struct ImageMemory {
    unsigned char* data = nullptr;
    int stride = 0;
    int width = 0;
    int height = 0;
};

// A colour as the memory holds it.
inline std::uint32_t pixel_word(Rgb colour)
{
    return (std::uint32_t{colour.r} << 16) | (std::uint32_t{colour.g} << 8) | colour.b;
}

// Writes one colour into the memory. Whoever owns the memory keeps it in step
// with anything else that draws there (a library's rasteriser) before and after.
class PixelWriter {
public:
    PixelWriter(const ImageMemory& memory, std::uint32_t word) : memory_(memory), value_(word) {}
    PixelWriter(const PixelWriter&) = delete;
    PixelWriter& operator=(const PixelWriter&) = delete;

    void pixel(PixelCoord column, PixelCoord row);
    // Columns left..right-1 of rows top..bottom-1.
    void fill(PixelCoord left, PixelCoord top, PixelCoord right, PixelCoord bottom);
    // Rows top..bottom-1 of one column: vertical lines, written here without a call.
    void column(PixelCoord x, PixelCoord top, PixelCoord bottom)
    {
        top = top < 0 ? 0 : top;
        bottom = bottom > memory_.height ? memory_.height : bottom;
        if (x < 0 || x >= memory_.width || memory_.data == nullptr) {
            return;
        }
        const std::uint32_t value = value_;
        const std::ptrdiff_t stride = memory_.stride;
        unsigned char* at = memory_.data + top * stride + x * static_cast<std::ptrdiff_t>(sizeof value);
        for (PixelCoord row = top; row < bottom; ++row, at += stride) {
            std::memcpy(at, &value, sizeof value);
        }
    }
    // Columns left..right (inclusive) of one row.
    void span(PixelCoord row, PixelCoord left, PixelCoord right) { fill(left, row, right + 1, row + 1); }
    // An integer line from (x0, y0) towards (x1, y1); the end pixel itself is not drawn.
    void line(PixelCoord x0, PixelCoord y0, PixelCoord x1, PixelCoord y1)
    {
        // Straight lines, the most common kind, are one span.
        if (x0 == x1) {
            column(x0, y1 < y0 ? y1 + 1 : y0, y1 < y0 ? y0 + 1 : y1);
        } else if (y0 == y1) {
            fill(x1 < x0 ? x1 + 1 : x0, y0, x1 < x0 ? x0 + 1 : x1, y0 + 1);
        } else {
            sloped_line(x0, y0, x1, y1);
        }
    }

private:
    void sloped_line(PixelCoord x0, PixelCoord y0, PixelCoord x1, PixelCoord y1);

    ImageMemory memory_;
    std::uint32_t value_;
};

}  // namespace tavro
