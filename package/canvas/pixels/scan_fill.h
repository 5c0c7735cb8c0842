// Polygon interiors as rows of pixel spans, in 24.8 fixed point and with the
// non-zero winding rule. Two sampling rules: the one the Cairo canvas's fills
// follow without antialiasing (so that a polygon filled here takes exactly its
// pixels), and plain pixel-centre sampling for glyph outlines.
#pragma once

#include "canvas/pixels/pixel_writer.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace tavro {

// 24.8 fixed point, the precision of the library the fills match, held wide enough for products.
using Fixed = long long;
constexpr Fixed FIXED_ONE = 256;

// The nearest fixed-point value, halves to even, as the library converts coordinates.
inline Fixed to_fixed(double value) { return static_cast<Fixed>(std::nearbyint(value * FIXED_ONE)); }

struct FixedPoint {
    Fixed x = 0;
    Fixed y = 0;
    bool operator==(const FixedPoint& o) const { return x == o.x && y == o.y; }
    bool operator!=(const FixedPoint& o) const { return !(*this == o); }
};

// Columns left..right-1 of one row.
struct ScanSpan {
    PixelCoord row;
    PixelCoord left;
    PixelCoord right;
};

enum class ScanRule {
    // Rows are sampled 1/256 above their centres, and spans less than two
    // pixels apart are joined, as the Cairo canvas's fills are.
    cairo_compatible,
    // A pixel is covered when its centre is.
    pixel_centres,
};

class ScanPolygon {
public:
    void clear()
    {
        edges_.clear();
        has_extent_ = false;
    }
    // An edge of a closed outline; its direction counts for the winding.
    void add_edge(FixedPoint from, FixedPoint to);
    // The closed polygon through the points.
    void add_polygon(const std::vector<FixedPoint>& points);
    // The covered spans of the area's rows, row by row, appended to spans. Outlines
    // beyond the area's sides count as if they ran along them, as the library
    // clips its polygons to the image, and no span reaches past the pixels the
    // edges' ends lie in.
    void scan(ScanRule rule, const PixelBox& area, std::vector<ScanSpan>& spans) const;

private:
    struct Edge {
        FixedPoint top;
        FixedPoint bottom;
        int direction;  // +1 when the outline runs down, -1 up
        PixelCoord first_row;
        PixelCoord end_row;
    };
    std::vector<Edge> edges_;
    bool has_extent_ = false;
    Fixed left_ = 0;  // the columns the edges span
    Fixed right_ = 0;
    mutable std::vector<const Edge*> sorted_;
    mutable std::vector<const Edge*> active_;
    mutable std::vector<std::pair<Fixed, int>> crossings_;
};

// Fills the polygon's spans within the image with one colour (spans: scratch memory).
void fill_polygon(PixelWriter& writer, const ScanPolygon& polygon, ScanRule rule, const PixelBox& image,
                  std::vector<ScanSpan>& spans);

}  // namespace tavro
