#include "canvas/pixels/path_clip.h"

#include <algorithm>
#include <iterator>

namespace tavro {

namespace {

// One side of the box: points with side_value(p) >= 0 are inside.
struct Side {
    bool vertical;  // a left or right side (tests x)
    double limit;
    double sign;  // +1: keep coordinates >= limit, -1: keep coordinates <= limit

    double value(const PathPoint& p) const { return sign * ((vertical ? p.x : p.y) - limit); }
};

PathPoint crossing(const PathPoint& a, const PathPoint& b, const Side& side)
{
    const double va = side.value(a);
    const double vb = side.value(b);
    const double t = va / (va - vb);
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

}  // namespace

bool clip_segment(PathPoint& from, PathPoint& to, const ClipBox& box)
{
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {from.x - box.left, box.right - from.x, from.y - box.top, box.bottom - from.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return false;
        }
    }
    const PathPoint start = from;
    from = {start.x + t0 * dx, start.y + t0 * dy};
    to = {start.x + t1 * dx, start.y + t1 * dy};
    return true;
}

void clip_polygon(std::vector<PathPoint>& polygon, const ClipBox& box)
{
    const Side sides[4] = {
        {true, box.left, 1.0}, {true, box.right, -1.0}, {false, box.top, 1.0}, {false, box.bottom, -1.0}};
    const auto inside = [&](const PathPoint& p) {
        return std::all_of(std::begin(sides), std::end(sides), [&](const Side& side) { return side.value(p) >= 0.0; });
    };
    if (std::all_of(polygon.begin(), polygon.end(), inside)) {
        return;
    }
    std::vector<PathPoint>& current = polygon;
    for (const Side& side : sides) {
        if (current.empty()) {
            break;
        }
        std::vector<PathPoint> kept;
        kept.reserve(current.size() + 2);
        for (std::size_t i = 0; i < current.size(); ++i) {
            const PathPoint& a = current[i];
            const PathPoint& b = current[(i + 1) % current.size()];
            const bool a_in = side.value(a) >= 0.0;
            const bool b_in = side.value(b) >= 0.0;
            if (a_in) {
                kept.push_back(a);
            }
            if (a_in != b_in) {
                kept.push_back(crossing(a, b, side));
            }
        }
        current = std::move(kept);
    }
}

}  // namespace tavro
