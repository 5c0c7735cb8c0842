// Cutting paths down to a box around the image before they are filled or stroked:
// the rasterisers work in fixed point, which cannot hold the far-away points a
// caller may pass.
#pragma once

#include <vector>

namespace tavro {

struct PathPoint {
    double x = 0.0;
    double y = 0.0;
};

struct ClipBox {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

// Keeps the part of the segment inside the box; false when nothing is left.
bool clip_segment(PathPoint& from, PathPoint& to, const ClipBox& box);
// Cuts the closed polygon to the box, in place (empty when nothing is left). Edges the
// cut adds run along the box, so a box larger than the image keeps them out of sight.
// A polygon wholly inside, what nearly every frame draws, is left as it is.
void clip_polygon(std::vector<PathPoint>& polygon, const ClipBox& box);

}  // namespace tavro
