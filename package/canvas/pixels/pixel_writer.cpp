#include "canvas/pixels/pixel_writer.h"

#include "canvas/pixels/path_clip.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tavro {

namespace {

// Lines longer than this are first cut down to the part near the image, so that
// the integer arithmetic below cannot overflow.
constexpr PixelCoord EXACT_LINE_LIMIT = PixelCoord{1} << 28;
constexpr double CLIP_MARGIN = 4.0;

// Offset along the minor axis after `step` major steps: step * minor / major rounded half up.
PixelCoord minor_offset(PixelCoord step, PixelCoord minor, PixelCoord major)
{
    return (2 * step * minor + major) / (2 * major);
}

}  // namespace

void PixelWriter::pixel(PixelCoord column, PixelCoord row) { fill(column, row, column + 1, row + 1); }

void PixelWriter::fill(PixelCoord left, PixelCoord top, PixelCoord right, PixelCoord bottom)
{
    left = std::max<PixelCoord>(left, 0);
    top = std::max<PixelCoord>(top, 0);
    right = std::min<PixelCoord>(right, memory_.width);
    bottom = std::min<PixelCoord>(bottom, memory_.height);
    if (memory_.data == nullptr || left >= right || top >= bottom) {
        return;
    }
    unsigned char* row = memory_.data + top * memory_.stride;
    unsigned char* const end = memory_.data + bottom * memory_.stride;
    for (; row != end; row += memory_.stride) {
        auto* pixels = reinterpret_cast<std::uint32_t*>(row);
        std::fill(pixels + left, pixels + right, value_);
    }
}

void PixelWriter::sloped_line(PixelCoord x0, PixelCoord y0, PixelCoord x1, PixelCoord y1)
{
    if (std::llabs(x0) > EXACT_LINE_LIMIT || std::llabs(y0) > EXACT_LINE_LIMIT || std::llabs(x1) > EXACT_LINE_LIMIT ||
        std::llabs(y1) > EXACT_LINE_LIMIT) {
        // Only the part near the image can show; an end moved by the cut lies outside it.
        PathPoint from{static_cast<double>(x0), static_cast<double>(y0)};
        PathPoint to{static_cast<double>(x1), static_cast<double>(y1)};
        if (!clip_segment(from, to,
                          {-CLIP_MARGIN, -CLIP_MARGIN, memory_.width + CLIP_MARGIN, memory_.height + CLIP_MARGIN})) {
            return;
        }
        x0 = std::llround(from.x);
        y0 = std::llround(from.y);
        x1 = std::llround(to.x);
        y1 = std::llround(to.y);
    }
    const PixelCoord dx = std::llabs(x1 - x0);
    const PixelCoord dy = std::llabs(y1 - y0);
    const PixelCoord sx = x1 < x0 ? -1 : 1;
    const PixelCoord sy = y1 < y0 ? -1 : 1;
    const bool x_major = dx >= dy;
    const PixelCoord major = x_major ? dx : dy;
    const PixelCoord minor = x_major ? dy : dx;
    if (major == 0) {
        return;
    }
    // Steps 0..major-1; only those whose major coordinate lies in the image are visited.
    const PixelCoord start = x_major ? x0 : y0;
    const PixelCoord step_sign = x_major ? sx : sy;
    const PixelCoord extent = x_major ? memory_.width : memory_.height;
    PixelCoord first = step_sign > 0 ? -start : start - (extent - 1);
    PixelCoord last = step_sign > 0 ? extent - 1 - start : start;
    first = std::max<PixelCoord>(first, 0);
    last = std::min<PixelCoord>(last, major - 1);
    for (PixelCoord step = first; step <= last; ++step) {
        const PixelCoord offset = minor_offset(step, minor, major);
        if (x_major) {
            pixel(x0 + sx * step, y0 + sy * offset);
        } else {
            pixel(x0 + sx * offset, y0 + sy * step);
        }
    }
}

}  // namespace tavro
