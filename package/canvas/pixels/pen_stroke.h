// The outline of a path stroked with a round pen (round caps and joins), built
// as the Cairo canvas's library builds it, so that filling the outline with
// ScanRule::cairo_compatible takes the same pixels as its strokes without
// antialiasing: the pen is a polygon with enough corners to stay within 0.1
// pixel of the circle, caps and joins are fans of its corners, and a closed
// path's first corner is mitred where it bends too little for a fan.
#pragma once

#include "canvas/pixels/path_clip.h"
#include "canvas/pixels/scan_fill.h"

#include <vector>

namespace tavro {

// The stroker's working memory, kept from stroke to stroke so that stroking does not allocate.
struct StrokeMemory {
    std::vector<FixedPoint> path;
    std::vector<FixedPoint> pen_corners;
    std::vector<FixedPoint> right;  // points along the clockwise side
    std::vector<FixedPoint> left;   // and along the counter-clockwise side
    std::vector<FixedPoint> contour;
};

// Adds to outline the stroke of the path through points (closed: back to the
// first point) with a pen width pixels wide.
void stroke_outline(const std::vector<PathPoint>& points, bool closed, double width, ScanPolygon& outline,
                    StrokeMemory& memory);

}  // namespace tavro
