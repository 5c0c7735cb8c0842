// Follows closely how Cairo builds pens and stroke outlines, so that pixels match; the code is TAVRO's own.
#include "canvas/pixels/pen_stroke.h"

#include <algorithm>
#include <cmath>

namespace tavro {

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double TOLERANCE = 0.1;
constexpr double MITRE_LIMIT = 10.0;

struct Slope {
    Fixed dx;
    Fixed dy;
};

Slope slope_between(FixedPoint from, FixedPoint to) { return {to.x - from.x, to.y - from.y}; }

FixedPoint operator+(FixedPoint p, FixedPoint offset) { return {p.x + offset.x, p.y + offset.y}; }

// Orders slopes by angle within a half turn; exactly opposite slopes are told
// apart by a fixed preference, and zero slopes come after all others.
int compare_slopes(const Slope& a, const Slope& b)
{
    const Fixed left = a.dy * b.dx;
    const Fixed right = b.dy * a.dx;
    if (left != right) {
        return left < right ? -1 : 1;
    }
    const bool a_zero = a.dx == 0 && a.dy == 0;
    const bool b_zero = b.dx == 0 && b.dy == 0;
    if (a_zero || b_zero) {
        return a_zero == b_zero ? 0 : (a_zero ? 1 : -1);
    }
    if ((a.dx ^ b.dx) < 0 || (a.dy ^ b.dy) < 0) {
        return a.dx < 0 || (a.dx == 0 && a.dy < 0) ? 1 : -1;
    }
    return 0;
}

bool same_direction(const Slope& a, const Slope& b)
{
    return a.dy * b.dx == b.dy * a.dx && ((a.dx ^ b.dx) | (a.dy ^ b.dy)) >= 0;
}

// The pen: a regular polygon inscribed in the circle of the pen's radius.
class Pen {
public:
    // corners: the pen's storage, refilled here.
    Pen(double radius, std::vector<FixedPoint>& corners) : corners_(corners)
    {
        corners_.clear();
        int count = 4;
        if (TOLERANCE >= 4 * radius) {
            count = 1;
        } else if (TOLERANCE < radius) {
            count = static_cast<int>(std::ceil(2 * PI / std::acos(1 - TOLERANCE / radius)));
            count += count % 2;
            count = std::max(count, 4);
        }
        for (int i = 0; i < count; ++i) {
            const double angle = 2 * PI * i / count;
            corners_.push_back({to_fixed(radius * std::cos(angle)), to_fixed(radius * std::sin(angle))});
        }
    }

    int count() const { return static_cast<int>(corners_.size()); }
    FixedPoint corner(int i) const { return corners_[i]; }
    // The sides from the previous corner to corner i and from corner i to the next.
    Slope arriving(int i) const { return slope_between(corners_[(i + count() - 1) % count()], corners_[i]); }
    Slope leaving(int i) const { return slope_between(corners_[i], corners_[(i + 1) % count()]); }

    // The corners a fan turning clockwise from slope in to slope out passes, start..stop-1.
    void clockwise_corners(const Slope& in, const Slope& out, int& start, int& stop) const
    {
        const int n = count();
        int lo = 0;
        int hi = n;
        int i = (lo + hi) >> 1;
        do {
            (compare_slopes(arriving(i), in) < 0 ? lo : hi) = i;
            i = (lo + hi) >> 1;
        } while (hi - lo > 1);
        if (compare_slopes(arriving(i), in) < 0 && ++i == n) {
            i = 0;
        }
        start = i;
        if (compare_slopes(out, leaving(i)) >= 0) {
            lo = i;
            hi = i + n;
            i = (lo + hi) >> 1;
            do {
                (compare_slopes(arriving(i % n), out) > 0 ? hi : lo) = i;
                i = (lo + hi) >> 1;
            } while (hi - lo > 1);
            i %= n;
        }
        stop = i;
    }

    // The same for a fan turning counter-clockwise, passing start, start-1, ... stop+1.
    void counter_clockwise_corners(const Slope& in, const Slope& out, int& start, int& stop) const
    {
        const int n = count();
        int lo = 0;
        int hi = n;
        int i = (lo + hi) >> 1;
        do {
            (compare_slopes(in, leaving(i)) < 0 ? lo : hi) = i;
            i = (lo + hi) >> 1;
        } while (hi - lo > 1);
        if (compare_slopes(in, leaving(i)) < 0 && ++i == n) {
            i = 0;
        }
        start = i;
        if (compare_slopes(arriving(i), out) <= 0) {
            lo = i;
            hi = i + n;
            i = (lo + hi) >> 1;
            do {
                (compare_slopes(out, leaving(i % n)) > 0 ? hi : lo) = i;
                i = (lo + hi) >> 1;
            } while (hi - lo > 1);
            i %= n;
        }
        stop = i;
    }

private:
    std::vector<FixedPoint>& corners_;
};

// Where a segment starts or ends: its point and the two points half a pen away on either side.
struct Face {
    FixedPoint point;
    FixedPoint left;   // counter-clockwise side
    FixedPoint right;  // clockwise side
    Slope vector;      // the segment's direction in fixed point
    double unit_x;     // and as a unit vector
    double unit_y;
};

Face face_at(FixedPoint point, const Slope& slope, double half_width)
{
    double dx = static_cast<double>(slope.dx) / FIXED_ONE;
    double dy = static_cast<double>(slope.dy) / FIXED_ONE;
    if (dx == 0.0) {
        dy = dy > 0.0 ? 1.0 : -1.0;
    } else if (dy == 0.0) {
        dx = dx > 0.0 ? 1.0 : -1.0;
    } else {
        const double length = std::hypot(dx, dy);
        dx /= length;
        dy /= length;
    }
    const FixedPoint offset{to_fixed(-dy * half_width), to_fixed(dx * half_width)};
    return {point, point + offset, {point.x - offset.x, point.y - offset.y}, slope, dx, dy};
}

Face reversed(const Face& face)
{
    return {face.point, face.right, face.left, {-face.vector.dx, -face.vector.dy}, -face.unit_x, -face.unit_y};
}

int sign_of_cross(double dx1, double dy1, double dx2, double dy2)
{
    const double c = dx1 * dy2 - dx2 * dy1;
    return c > 0 ? 1 : (c < 0 ? -1 : 0);
}

class Stroker {
public:
    // memory: the sides' and the pen's storage, emptied here.
    Stroker(double width, StrokeMemory& memory)
        : half_(width / 2), pen_(half_, memory.pen_corners), right_(memory.right), left_(memory.left),
          contour_(memory.contour)
    {
        right_.clear();
        left_.clear();
        contour_.clear();
        const double c = 1 - TOLERANCE / half_;
        cusp_ = 2 * c * c - 1;
    }

    void move_to(FixedPoint point)
    {
        first_point_ = point;
        current_.point = point;
    }

    void line_to(FixedPoint point)
    {
        started_ = true;
        if (point == current_.point) {
            return;
        }
        const Slope slope = slope_between(current_.point, point);
        const Face start = face_at(current_.point, slope, half_);
        if (has_current_) {
            const int turn = compare_slopes(current_.vector, start.vector);
            if (turn != 0) {
                join(current_, start, turn < 0);
            }
        } else {
            first_ = start;
            has_current_ = true;
            right_.push_back(start.right);
            left_.push_back(start.left);
        }
        current_ = start;
        current_.point = point;
        current_.left = current_.left + FixedPoint{slope.dx, slope.dy};
        current_.right = current_.right + FixedPoint{slope.dx, slope.dy};
        right_.push_back(current_.right);
        left_.push_back(current_.left);
    }

    // Closes the path: the way back to the first point and the join there.
    void close(ScanPolygon& outline)
    {
        line_to(first_point_);
        if (!has_current_) {
            finish(outline);
            return;
        }
        const int turn = compare_slopes(current_.vector, first_.vector);
        if (turn != 0) {
            close_join(current_, first_, turn < 0);
            inner_join(current_, first_, turn < 0);
        }
        // Two outlines, the inner one run backwards, so that the band between them is filled.
        outline.add_polygon(right_);
        std::reverse(left_.begin(), left_.end());
        outline.add_polygon(left_);
    }

    // Caps an open path: one outline along the left side, round the end, back along the right.
    void finish(ScanPolygon& outline)
    {
        std::vector<FixedPoint>& contour = contour_;
        if (!has_current_) {
            if (!started_) {
                return;
            }
            // A path of no length: a dot.
            const Face face = face_at(first_point_, {FIXED_ONE, 0}, half_);
            cap(reversed(face), contour);
            cap(face, contour);
        } else {
            contour.assign(left_.begin(), left_.end());
            cap(current_, contour);
            contour.insert(contour.end(), right_.rbegin(), right_.rend());
            cap(reversed(first_), contour);
        }
        outline.add_polygon(contour);
    }

private:
    void fan(const Slope& in, const Slope& out, FixedPoint centre, bool clockwise, std::vector<FixedPoint>& contour)
    {
        const int n = pen_.count();
        int start = 0;
        int stop = 0;
        if (clockwise) {
            pen_.clockwise_corners(in, out, start, stop);
            for (; start != stop; start = (start + 1) % n) {
                contour.push_back(centre + pen_.corner(start));
            }
        } else {
            pen_.counter_clockwise_corners(in, out, start, stop);
            for (; start != stop; start = (start + n - 1) % n) {
                contour.push_back(centre + pen_.corner(start));
            }
        }
    }

    // A round cap from the face's left point round its end to its right point.
    void cap(const Face& face, std::vector<FixedPoint>& contour)
    {
        fan(face.vector, {-face.vector.dx, -face.vector.dy}, face.point, false, contour);
        contour.push_back(face.right);
    }

    void join(const Face& in, const Face& out, bool clockwise)
    {
        if (!(in.left == out.left && in.right == out.right)) {
            std::vector<FixedPoint>& outer = clockwise ? right_ : left_;
            fan(in.vector, out.vector, in.point, clockwise, outer);
            outer.push_back(clockwise ? out.right : out.left);
        }
        inner_join(in, out, clockwise);
    }

    void inner_join(const Face& in, const Face& out, bool clockwise)
    {
        std::vector<FixedPoint>& inner = clockwise ? left_ : right_;
        inner.push_back(in.point);
        inner.push_back(clockwise ? out.left : out.right);
    }

    // The join back at the first point: a fan where the path bends enough, else a mitre.
    void close_join(const Face& in, const Face& out, bool clockwise)
    {
        if (in.left == out.left && in.right == out.right) {
            return;
        }
        std::vector<FixedPoint>& outer = clockwise ? right_ : left_;
        const double in_dot_out = in.unit_x * out.unit_x + in.unit_y * out.unit_y;
        if (in_dot_out < cusp_) {
            fan(in.vector, out.vector, in.point, clockwise, outer);
        } else if (mitre(in, out, clockwise, outer)) {
            return;
        }
        outer.push_back(clockwise ? out.right : out.left);
    }

    // Puts the mitre's point in place of the outer points of both faces; false when there is none.
    static bool mitre(const Face& in, const Face& out, bool clockwise, std::vector<FixedPoint>& outer)
    {
        const double in_dot_out = in.unit_x * out.unit_x + in.unit_y * out.unit_y;
        if (!(2 <= MITRE_LIMIT * MITRE_LIMIT * (1 + in_dot_out))) {
            return false;
        }
        const FixedPoint in_point = clockwise ? in.right : in.left;
        const FixedPoint out_point = clockwise ? out.right : out.left;
        const double x1 = static_cast<double>(in_point.x) / FIXED_ONE;
        const double y1 = static_cast<double>(in_point.y) / FIXED_ONE;
        const double x2 = static_cast<double>(out_point.x) / FIXED_ONE;
        const double y2 = static_cast<double>(out_point.y) / FIXED_ONE;
        const double dx1 = in.unit_x;
        const double dy1 = in.unit_y;
        const double dx2 = out.unit_x;
        const double dy2 = out.unit_y;
        const double my = ((x2 - x1) * dy1 * dy2 - y2 * dx2 * dy1 + y1 * dx1 * dy2) / (dx1 * dy2 - dx2 * dy1);
        const double mx = std::fabs(dy1) >= std::fabs(dy2) ? (my - y1) * dx1 / dy1 + x1 : (my - y2) * dx2 / dy2 + x2;
        const double ix = static_cast<double>(in.point.x) / FIXED_ONE;
        const double iy = static_cast<double>(in.point.y) / FIXED_ONE;
        // Near-parallel faces can put the intersection anywhere: keep it only between them.
        if (sign_of_cross(x1 - ix, y1 - iy, mx - ix, my - iy) == sign_of_cross(x2 - ix, y2 - iy, mx - ix, my - iy)) {
            return false;
        }
        // The mitre point ends the outline and starts it again, in place of both faces' points.
        outer.back() = {to_fixed(mx), to_fixed(my)};
        outer.front() = outer.back();
        return true;
    }

    double half_;
    double cusp_;  // joins whose unit vectors' dot product is at least this bend too little for a fan
    Pen pen_;
    FixedPoint first_point_;
    bool started_ = false;
    bool has_current_ = false;
    Face first_{};
    Face current_{};
    std::vector<FixedPoint>& right_;    // points along the clockwise side
    std::vector<FixedPoint>& left_;     // and along the counter-clockwise side
    std::vector<FixedPoint>& contour_;  // an open path's outline
};

// The path as the library keeps it: repeated points dropped (except a first
// segment of no length), and a segment that continues the previous one in the
// same direction merged into it. The result replaces path's contents.
void path_points(const std::vector<PathPoint>& points, bool closed, std::vector<FixedPoint>& path)
{
    path.clear();
    const auto add = [&path](FixedPoint point) {
        if (path.size() >= 2) {
            const FixedPoint current = path.back();
            if (point == current) {
                return;
            }
            const FixedPoint before = path[path.size() - 2];
            if (before == current || same_direction(slope_between(before, current), slope_between(current, point))) {
                path.pop_back();
            }
        }
        path.push_back(point);
    };
    for (const PathPoint& p : points) {
        add({to_fixed(p.x), to_fixed(p.y)});
    }
    if (closed && !path.empty()) {
        // Closing adds a segment back to the first point and drops the path's last
        // segment again: the stroker draws the way back itself.
        add(path.front());
        if (path.size() >= 2) {
            path.pop_back();
        }
    }
}

}  // namespace

void stroke_outline(const std::vector<PathPoint>& points, bool closed, double width, ScanPolygon& outline,
                    StrokeMemory& memory)
{
    path_points(points, closed, memory.path);
    const std::vector<FixedPoint>& path = memory.path;
    if (path.empty() || width <= 0.0) {
        return;
    }
    Stroker stroker(width, memory);
    stroker.move_to(path.front());
    for (std::size_t i = 1; i < path.size(); ++i) {
        stroker.line_to(path[i]);
    }
    if (closed) {
        stroker.close(outline);
    } else {
        stroker.finish(outline);
    }
}

}  // namespace tavro
