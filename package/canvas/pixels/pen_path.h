// Paths for polygon fills and wide pens: they run through pixel centres and are
// cut to a box that keeps everything a pen can reach of the image.
#pragma once

#include "canvas/pixels/path_clip.h"
#include "canvas/pixels/pixel_writer.h"
#include "seam/canvas.h"

#include <algorithm>
#include <cstdlib>

namespace tavro {

// A pen is never drawn wider than this.
constexpr long long MAX_PEN_WIDTH = 1 << 16;

// The pen of a drawing command: negative widths count as positive ones.
inline long long pen_width(int width) { return std::min(std::llabs(static_cast<long long>(width)), MAX_PEN_WIDTH); }

// Pixel c lies between c and c + 1, so a path through pixel c runs through c + 0.5.
inline PathPoint centre_of(const PenPoint& p)
{
    return {static_cast<double>(p.column) + 0.5, static_cast<double>(p.row) + 0.5};
}

// The image with a margin wider than half the pen: edges the cut adds run out of sight.
inline ClipBox clip_box_for(double pen_width)
{
    const double margin = pen_width / 2.0 + 2.0;
    return {-margin, -margin, Canvas::WIDTH + margin, Canvas::HEIGHT + margin};
}

}  // namespace tavro
