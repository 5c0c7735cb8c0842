#include "canvas/pixels/box_frame.h"

#include <algorithm>

namespace tavro {

PixelBox box_between(const PenPoint& a, const PenPoint& b)
{
    return {std::min(a.column, b.column), std::min(a.row, b.row), std::max(a.column, b.column) + 1,
            std::max(a.row, b.row) + 1};
}

void frame_box(PixelWriter& writer, const PixelBox& box, long long pen)
{
    const PixelCoord outward = pen / 2;
    const PixelCoord inward = pen - 1 - outward;
    const PixelBox outer{box.left - outward, box.top - outward, box.right + outward, box.bottom + outward};
    const PixelBox hole{box.left + 1 + inward, box.top + 1 + inward, box.right - 1 - inward, box.bottom - 1 - inward};
    if (hole.left >= hole.right || hole.top >= hole.bottom) {
        writer.fill(outer.left, outer.top, outer.right, outer.bottom);
        return;
    }
    writer.fill(outer.left, outer.top, outer.right, hole.top);
    writer.fill(outer.left, hole.bottom, outer.right, outer.bottom);
    writer.fill(outer.left, hole.top, hole.left, hole.bottom);
    writer.fill(hole.right, hole.top, outer.right, hole.bottom);
}

}  // namespace tavro
