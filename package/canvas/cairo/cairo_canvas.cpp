#include "cairo_canvas.h"

#include "cairo_text.h"
#include "ellipse_shape.h"
#include "path_clip.h"
#include "pixel_writer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tavro {

namespace {

constexpr const char* FONT_FACE = "TAVRO-font";
constexpr long long MAX_PEN_WIDTH = 1 << 16;
constexpr int MAX_POINT_SIZE = 1024;
// A text line anchored farther away than this cannot reach the image.
constexpr PixelCoord TEXT_REACH = PixelCoord{1} << 20;

struct PenPoint {
    PixelCoord column;
    PixelCoord row;
};

// Size 0 leaves the height to the default.
int character_height(int point_size) {
    return point_size > 0 ? std::min(point_size, MAX_POINT_SIZE) : CairoCanvas::DEFAULT_POINT_SIZE;
}

void set_source(cairo_t* context, Rgb colour) {
    cairo_set_source_rgb(context, colour.r / 255.0, colour.g / 255.0, colour.b / 255.0);
}

// Cairo places pixel c between c and c + 1; paths run through pixel centres.
PathPoint centre_of(const PenPoint& p) {
    return {static_cast<double>(p.column) + 0.5, static_cast<double>(p.row) + 0.5};
}

ClipBox clip_box_for(double pen_width) {
    const double margin = pen_width / 2.0 + 2.0;
    return {-margin, -margin, Canvas::WIDTH + margin, Canvas::HEIGHT + margin};
}

void add_polygon(cairo_t* context, const std::vector<PathPoint>& points) {
    cairo_move_to(context, points.front().x, points.front().y);
    for (std::size_t i = 1; i < points.size(); ++i) {
        cairo_line_to(context, points[i].x, points[i].y);
    }
    cairo_close_path(context);
}

void fill_polygon(cairo_surface_t* surface, Rgb colour, const std::vector<PathPoint>& polygon) {
    const std::vector<PathPoint> points = clip_polygon(polygon, clip_box_for(0.0));
    if (points.size() < 3) {
        return;
    }
    CairoContext context = make_context(surface);
    set_source(context.get(), colour);
    add_polygon(context.get(), points);
    cairo_fill(context.get());
}

void prepare_pen(cairo_t* context, Rgb colour, double width) {
    set_source(context, colour);
    cairo_set_line_width(context, width);
    cairo_set_line_cap(context, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(context, CAIRO_LINE_JOIN_ROUND);
}

void stroke_polygon(cairo_surface_t* surface, Rgb colour, long long width, const std::vector<PathPoint>& polygon) {
    const double pen = static_cast<double>(width);
    const std::vector<PathPoint> points = clip_polygon(polygon, clip_box_for(pen));
    if (points.empty()) {
        return;
    }
    CairoContext context = make_context(surface);
    prepare_pen(context.get(), colour, pen);
    add_polygon(context.get(), points);
    cairo_stroke(context.get());
}

void stroke_segment(cairo_surface_t* surface, Rgb colour, long long width, PenPoint from, PenPoint to) {
    const double pen = static_cast<double>(width);
    PathPoint a = centre_of(from);
    PathPoint b = centre_of(to);
    if (!clip_segment(a, b, clip_box_for(pen))) {
        return;
    }
    CairoContext context = make_context(surface);
    prepare_pen(context.get(), colour, pen);
    cairo_move_to(context.get(), a.x, a.y);
    cairo_line_to(context.get(), b.x, b.y);
    cairo_stroke(context.get());
}

// The box's outline, pen pixels wide and centred on its outermost rows and columns.
void frame_box(PixelWriter& writer, const PixelBox& box, long long pen) {
    const PixelCoord outward = pen / 2;
    const PixelCoord inward = pen - 1 - outward;
    const PixelBox outer{box.left - outward, box.top - outward, box.right + outward, box.bottom + outward};
    const PixelBox hole{box.left + 1 + inward, box.top + 1 + inward, box.right - 1 - inward,
                        box.bottom - 1 - inward};
    if (hole.left >= hole.right || hole.top >= hole.bottom) {
        writer.fill(outer.left, outer.top, outer.right, outer.bottom);
        return;
    }
    writer.fill(outer.left, outer.top, outer.right, hole.top);
    writer.fill(outer.left, hole.bottom, outer.right, outer.bottom);
    writer.fill(outer.left, hole.top, hole.left, hole.bottom);
    writer.fill(hole.right, hole.top, outer.right, hole.bottom);
}

std::vector<std::string> split_lines(const char* text) {
    std::vector<std::string> lines;
    const char* start = text;
    for (;;) {
        const char* end = std::strchr(start, '\n');
        if (end == nullptr) {
            lines.emplace_back(start);
            return lines;
        }
        lines.emplace_back(start, end);
        start = end + 1;
    }
}

}  // namespace

CairoCanvas::CairoCanvas() : surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, WIDTH, HEIGHT)) {}

void CairoCanvas::render(const DrawCommand& command, Rgb colour, int origin_x, int origin_y) {
    const auto at = [origin_x, origin_y](int x, int y) {
        return PenPoint{PixelCoord{origin_x} + x, PixelCoord{origin_y} - y};
    };
    const PenPoint p1 = at(command.x1, command.y1);
    const PenPoint p2 = at(command.x2, command.y2);
    const long long width = std::min(std::llabs(static_cast<long long>(command.width)), MAX_PEN_WIDTH);
    // Both corners belong to the box, whichever way round the caller gave them.
    const PixelBox box{std::min(p1.column, p2.column), std::min(p1.row, p2.row),
                       std::max(p1.column, p2.column) + 1, std::max(p1.row, p2.row) + 1};
    cairo_surface_t* surface = surface_.get();

    switch (command.kind) {
    case DRAW_PIXEL:
        PixelWriter(surface, colour).pixel(p1.column, p1.row);
        break;
    case DRAW_LINE:
        if (width <= 1) {
            PixelWriter(surface, colour).line(p1.column, p1.row, p2.column, p2.row);
        } else {
            stroke_segment(surface, colour, width, p1, p2);
        }
        break;
    case DRAW_RECTANGLE: {
        PixelWriter writer(surface, colour);
        if (width == 0) {
            writer.fill(box.left, box.top, box.right, box.bottom);
        } else {
            frame_box(writer, box, width);
        }
        break;
    }
    case DRAW_OVAL:
        if (width == 0) {
            PixelWriter writer(surface, colour);
            fill_ellipse(writer, box, HEIGHT);
        } else if (width == 1) {
            PixelWriter writer(surface, colour);
            outline_ellipse(writer, box, HEIGHT);
        } else {
            stroke_polygon(surface, colour, width, ellipse_path(box));
        }
        break;
    case DRAW_TRIANGLE: {
        const PenPoint p3 = at(command.x3, command.y3);
        const std::vector<PathPoint> corners{centre_of(p1), centre_of(p2), centre_of(p3)};
        if (width > 1) {
            stroke_polygon(surface, colour, width, corners);
            break;
        }
        if (width == 0) {
            fill_polygon(surface, colour, corners);
        }
        PixelWriter writer(surface, colour);
        writer.line(p1.column, p1.row, p2.column, p2.row);
        writer.line(p2.column, p2.row, p3.column, p3.row);
        writer.line(p3.column, p3.row, p1.column, p1.row);
        // The outline passes through every corner, even when corners coincide.
        writer.pixel(p1.column, p1.row);
        writer.pixel(p2.column, p2.row);
        writer.pixel(p3.column, p3.row);
        break;
    }
    case DRAW_TEXT: {
        if (command.text == nullptr || command.text[0] == '\0') {
            break;
        }
        CairoContext context = make_context(surface);
        select_cairo_font(context.get(), FONT_FACE, character_height(command.x2));
        set_source(context.get(), colour);
        const CairoLineMetrics metrics = cairo_line_metrics(context.get());
        // The anchor is the lower-left corner of the first line's cell.
        PixelCoord top = p1.row - metrics.height;
        for (const std::string& line : split_lines(command.text)) {
            if (std::llabs(p1.column) < TEXT_REACH && std::llabs(top) < TEXT_REACH) {
                show_cairo_line(context.get(), metrics, static_cast<double>(p1.column),
                                static_cast<double>(top), line);
            }
            top += metrics.height;
        }
        break;
    }
    default:
        break;
    }
}

void CairoCanvas::clear_white_framed() {
    {
        PixelWriter white(surface_.get(), Rgb{255, 255, 255});
        white.fill(0, 0, WIDTH, HEIGHT);
    }
    PixelWriter black(surface_.get(), Rgb{0, 0, 0});
    frame_box(black, PixelBox{0, 0, WIDTH, HEIGHT}, 1);
}

Rgb CairoCanvas::pixel(int column, int row) const {
    if (column < 0 || column >= WIDTH || row < 0 || row >= HEIGHT) {
        return Rgb{};
    }
    cairo_surface_flush(surface_.get());
    const unsigned char* data = cairo_image_surface_get_data(surface_.get());
    if (data == nullptr) {
        return Rgb{};
    }
    const int stride = cairo_image_surface_get_stride(surface_.get());
    std::uint32_t value = 0;
    std::memcpy(&value, data + static_cast<std::ptrdiff_t>(row) * stride + column * 4, sizeof value);
    return Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value)};
}

bool CairoCanvas::write_png(const std::string& path, int left, int top, int width, int height) const {
    if (width <= 0 || height <= 0) {
        return false;
    }
    CairoSurface part(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    {
        CairoContext context(cairo_create(part.get()));
        cairo_set_source_surface(context.get(), surface_.get(), -left, -top);
        cairo_set_operator(context.get(), CAIRO_OPERATOR_SOURCE);
        cairo_paint(context.get());
    }
    return cairo_surface_write_to_png(part.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

int CairoCanvas::text_line_height(int point_size) {
    CairoSurface scratch(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1));
    CairoContext context = make_context(scratch.get());
    select_cairo_font(context.get(), FONT_FACE, character_height(point_size));
    return cairo_line_metrics(context.get()).height;
}

}  // namespace tavro
