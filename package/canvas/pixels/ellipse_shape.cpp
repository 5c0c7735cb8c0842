#include "canvas/pixels/ellipse_shape.h"

#include <algorithm>
#include <cmath>

namespace tavro {

namespace {

// Every row keeps at least its middle pixel(s), so that thin ellipses have no gaps.
constexpr double MIN_HALF_WIDTH = 0.51;

void draw_uncovered(PixelWriter& writer, PixelCoord row, const PixelSpan& span, const PixelSpan& other)
{
    if (other.empty) {
        writer.span(row, span.left, span.right);
        return;
    }
    writer.span(row, span.left, std::min(span.right, other.left - 1));
    writer.span(row, std::max(span.left, other.right + 1), span.right);
}

}  // namespace

PixelSpan ellipse_span(const PixelBox& box, PixelCoord row)
{
    PixelSpan span;
    const PixelCoord width = box.right - box.left;
    const PixelCoord height = box.bottom - box.top;
    if (width <= 0 || height <= 0 || row < box.top || row >= box.bottom) {
        return span;
    }
    // Distance of the row's pixel centres from the centre, in doubled units to stay integral.
    const PixelCoord twice_dy = std::llabs(2 * (row - box.top) + 1 - height);
    PixelCoord half_count = 0;  // pixels on each side of the middle pixel (pair)
    const bool odd = width % 2 != 0;
    if (twice_dy <= 1) {
        half_count = odd ? (width - 1) / 2 : width / 2 - 1;
    } else {
        const double a = static_cast<double>(width) / 2.0;
        const double b = static_cast<double>(height) / 2.0;
        const double t = static_cast<double>(twice_dy) / 2.0 / b;
        const double half_width = std::max(a * std::sqrt(std::max(0.0, 1.0 - t * t)), MIN_HALF_WIDTH);
        // Pixel centres lie at whole offsets (odd width) or half offsets (even width) from the centre.
        const double reach = odd ? std::ceil(half_width) - 1.0 : std::ceil(half_width - 0.5) - 1.0;
        half_count = static_cast<PixelCoord>(std::max(0.0, reach));
        half_count = std::min(half_count, odd ? (width - 1) / 2 : width / 2 - 1);
    }
    const PixelCoord middle_left = box.left + (odd ? (width - 1) / 2 : width / 2 - 1);
    const PixelCoord middle_right = box.left + width / 2;
    span.empty = false;
    span.left = middle_left - half_count;
    span.right = middle_right + half_count;
    return span;
}

void fill_ellipse(PixelWriter& writer, const PixelBox& box, int image_height)
{
    const PixelCoord first = std::max<PixelCoord>(box.top, 0);
    const PixelCoord last = std::min<PixelCoord>(box.bottom, image_height);
    for (PixelCoord row = first; row < last; ++row) {
        const PixelSpan span = ellipse_span(box, row);
        if (!span.empty) {
            writer.span(row, span.left, span.right);
        }
    }
}

void outline_ellipse(PixelWriter& writer, const PixelBox& box, int image_height)
{
    const PixelCoord first = std::max<PixelCoord>(box.top, 0);
    const PixelCoord last = std::min<PixelCoord>(box.bottom, image_height);
    for (PixelCoord row = first; row < last; ++row) {
        const PixelSpan span = ellipse_span(box, row);
        if (span.empty) {
            continue;
        }
        writer.pixel(span.left, row);
        writer.pixel(span.right, row);
        draw_uncovered(writer, row, span, ellipse_span(box, row - 1));
        draw_uncovered(writer, row, span, ellipse_span(box, row + 1));
    }
}

void ellipse_path(const PixelBox& box, std::vector<PathPoint>& points)
{
    const double cx = (static_cast<double>(box.left) + static_cast<double>(box.right)) / 2.0;
    const double cy = (static_cast<double>(box.top) + static_cast<double>(box.bottom)) / 2.0;
    const double a = std::max(0.0, static_cast<double>(box.right - box.left) / 2.0 - 0.5);
    const double b = std::max(0.0, static_cast<double>(box.bottom - box.top) / 2.0 - 0.5);
    // Enough corners that no chord strays from the curve by a visible amount.
    const int count = static_cast<int>(std::clamp(std::ceil(std::sqrt(a + b) * 8.0), 16.0, 2048.0));
    const double pi = std::acos(-1.0);
    points.clear();
    points.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double angle = 2.0 * pi * i / count;
        points.push_back({cx + a * std::cos(angle), cy + b * std::sin(angle)});
    }
}

}  // namespace tavro
