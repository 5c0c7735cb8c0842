// The ellipse inscribed in a pixel box, as rows of pixels: it stays inside the
// box and touches all four of its sides.
#pragma once

#include "canvas/pixels/path_clip.h"
#include "canvas/pixels/pixel_writer.h"

#include <vector>

namespace tavro {

struct PixelSpan {
    bool empty = true;
    PixelCoord left = 0;   // inclusive
    PixelCoord right = 0;  // inclusive
};

// The ellipse's pixels on one row.
PixelSpan ellipse_span(const PixelBox& box, PixelCoord row);

// Interior and boundary.
void fill_ellipse(PixelWriter& writer, const PixelBox& box, int image_height);
// The one-pixel boundary: the ellipse's pixels that have a side neighbour outside it.
void outline_ellipse(PixelWriter& writer, const PixelBox& box, int image_height);

// Points around the ellipse through the centres of the boundary pixels, for a wide pen, in
// place of what points held.
void ellipse_path(const PixelBox& box, std::vector<PathPoint>& points);

}  // namespace tavro
