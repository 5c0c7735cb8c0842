// Follows closely how Cairo fills polygons without antialiasing, so that pixels match; the code is TAVRO's own.
#include "canvas/pixels/scan_fill.h"

#include <algorithm>
#include <climits>

namespace tavro {

namespace {

Fixed floor_div(Fixed a, Fixed b)
{
    Fixed q = a / b;
    if (a % b != 0 && (a < 0) != (b < 0)) {
        --q;
    }
    return q;
}

// The first pixel (column or row) whose centre lies at or beyond x.
PixelCoord pixel_at(Fixed x) { return floor_div(x + FIXED_ONE / 2 - 1, FIXED_ONE); }

}  // namespace

void ScanPolygon::add_edge(FixedPoint from, FixedPoint to)
{
    if (from.y == to.y) {
        return;
    }
    Edge edge{from, to, 1, 0, 0};
    if (from.y > to.y) {
        edge.top = to;
        edge.bottom = from;
        edge.direction = -1;
    }
    const Fixed left = std::min(from.x, to.x);
    const Fixed right = std::max(from.x, to.x);
    left_ = has_extent_ ? std::min(left_, left) : left;
    right_ = has_extent_ ? std::max(right_, right) : right;
    has_extent_ = true;
    // A row belongs to the edge when the edge's ends round to rows around it.
    edge.first_row = pixel_at(edge.top.y);
    edge.end_row = pixel_at(edge.bottom.y);
    if (edge.first_row < edge.end_row) {
        edges_.push_back(edge);
    }
}

void ScanPolygon::add_polygon(const std::vector<FixedPoint>& points)
{
    for (std::size_t i = 0; i < points.size(); ++i) {
        add_edge(points[i], points[(i + 1) % points.size()]);
    }
}

void ScanPolygon::scan(ScanRule rule, const PixelBox& area, std::vector<ScanSpan>& spans) const
{
    const PixelCoord first_row = area.top;
    const PixelCoord end_row = area.bottom;
    const Fixed left_limit = area.left * FIXED_ONE;
    const Fixed right_limit = area.right * FIXED_ONE;
    const PixelCoord first_column = std::max(area.left, floor_div(left_, FIXED_ONE));
    const PixelCoord end_column = std::min(area.right, floor_div(right_ + FIXED_ONE - 1, FIXED_ONE));
    const Fixed sample = rule == ScanRule::cairo_compatible ? FIXED_ONE / 2 - 1 : FIXED_ONE / 2;
    const PixelCoord join = rule == ScanRule::cairo_compatible ? 1 : 0;
    sorted_.clear();
    for (const Edge& edge : edges_) {
        if (edge.end_row > first_row && edge.first_row < end_row) {
            sorted_.push_back(&edge);
        }
    }
    // Edges starting on the same row keep their order (their places in edges_), as a
    // stable sort would keep it, without the temporary memory a stable sort takes.
    std::sort(sorted_.begin(), sorted_.end(), [](const Edge* a, const Edge* b) {
        return a->first_row != b->first_row ? a->first_row < b->first_row : a < b;
    });
    active_.clear();
    std::size_t next = 0;
    for (PixelCoord row = first_row; row < end_row && (next < sorted_.size() || !active_.empty()); ++row) {
        if (active_.empty() && sorted_[next]->first_row > row) {
            row = std::min(sorted_[next]->first_row, end_row) - 1;
            continue;
        }
        active_.erase(
            std::remove_if(active_.begin(), active_.end(), [row](const Edge* e) { return e->end_row <= row; }),
            active_.end());
        for (; next < sorted_.size() && sorted_[next]->first_row <= row; ++next) {
            active_.push_back(sorted_[next]);
        }
        const Fixed y = row * FIXED_ONE + sample;
        crossings_.clear();
        for (const Edge* e : active_) {
            const Fixed dx = e->bottom.x - e->top.x;
            const Fixed dy = e->bottom.y - e->top.y;
            const Fixed x = e->top.x + floor_div((y - e->top.y) * dx, dy);
            crossings_.emplace_back(std::clamp(x, left_limit, right_limit), e->direction);
        }
        // A row crosses few edges: an insertion sort, stable and without memory of its own.
        for (std::size_t i = 1; i < crossings_.size(); ++i) {
            const std::pair<Fixed, int> crossing = crossings_[i];
            std::size_t j = i;
            for (; j > 0 && crossings_[j - 1].first > crossing.first; --j) {
                crossings_[j] = crossings_[j - 1];
            }
            crossings_[j] = crossing;
        }
        int winding = 0;
        PixelCoord start = LLONG_MIN;
        for (std::size_t i = 0; i < crossings_.size(); ++i) {
            const PixelCoord end = pixel_at(crossings_[i].first);
            winding += crossings_[i].second;
            if (winding != 0) {
                start = start == LLONG_MIN ? end : start;
                continue;
            }
            const PixelCoord following = i + 1 < crossings_.size() ? pixel_at(crossings_[i + 1].first) : LLONG_MAX;
            if (following > end + join) {
                const PixelCoord left = std::max(start, first_column);
                const PixelCoord right = std::min(end, end_column);
                if (left < right) {
                    spans.push_back({row, left, right});
                }
                start = LLONG_MIN;
            }
        }
    }
}

void fill_polygon(PixelWriter& writer, const ScanPolygon& polygon, ScanRule rule, const PixelBox& image,
                  std::vector<ScanSpan>& spans)
{
    spans.clear();
    polygon.scan(rule, image, spans);
    for (const ScanSpan& span : spans) {
        writer.fill(span.left, span.row, span.right, span.row + 1);
    }
}

}  // namespace tavro
