#include "canvas/pixels/pixel_canvas.h"

#include "canvas/pixels/box_frame.h"
#include "canvas/pixels/ellipse_shape.h"
#include "canvas/pixels/path_clip.h"
#include "canvas/pixels/pen_path.h"
#include "canvas/pixels/pen_stroke.h"
#include "canvas/pixels/text_placement.h"

#include <algorithm>
#include <string>

namespace tavro {

namespace {

std::vector<FixedPoint> fixed_points(const std::vector<PathPoint>& points)
{
    std::vector<FixedPoint> fixed;
    fixed.reserve(points.size());
    for (const PathPoint& p : points) {
        fixed.push_back({to_fixed(p.x), to_fixed(p.y)});
    }
    return fixed;
}

}  // namespace

PixelCanvas::PixelCanvas()
    : pixels_(static_cast<std::size_t>(WIDTH) * HEIGHT, 0), memory_{reinterpret_cast<unsigned char*>(pixels_.data()),
                                                                    WIDTH * 4, WIDTH, HEIGHT},
      glyphs_(embedded_font())
{
}

void PixelCanvas::paint_clear(PixelCoord left, PixelCoord top, PixelCoord right, PixelCoord bottom) const
{
    clear_pending_ = false;
    left = std::clamp<PixelCoord>(left, 0, WIDTH);
    right = std::clamp<PixelCoord>(right, left, WIDTH);
    top = std::clamp<PixelCoord>(top, 0, HEIGHT);
    bottom = std::clamp<PixelCoord>(bottom, top, HEIGHT);
    const PixelBox uncovered[] = {
        {0, 0, WIDTH, top}, {0, bottom, WIDTH, HEIGHT}, {0, top, left, bottom}, {right, top, WIDTH, bottom}};
    const PixelBox frame[] = {
        {0, 0, WIDTH, 1}, {0, HEIGHT - 1, WIDTH, HEIGHT}, {0, 0, 1, HEIGHT}, {WIDTH - 1, 0, WIDTH, HEIGHT}};
    PixelWriter white(memory_, pixel_word(Rgb{255, 255, 255}));
    PixelWriter black(memory_, pixel_word(Rgb{0, 0, 0}));
    for (const PixelBox& part : uncovered) {
        white.fill(part.left, part.top, part.right, part.bottom);
        for (const PixelBox& edge : frame) {
            black.fill(std::max(part.left, edge.left), std::max(part.top, edge.top), std::min(part.right, edge.right),
                       std::min(part.bottom, edge.bottom));
        }
    }
}

void PixelCanvas::settle() const
{
    write_columns();
    if (clear_pending_) {
        paint_clear(0, 0, 0, 0);
    }
}

void PixelCanvas::render(const DrawCommand& command, Rgb colour, int origin_x, int origin_y)
{
    const PenPoint p1{PixelCoord{origin_x} + command.x1, PixelCoord{origin_y} - command.y1};
    const PenPoint p2{PixelCoord{origin_x} + command.x2, PixelCoord{origin_y} - command.y2};
    const std::uint32_t word = pixel_word(colour);
    if (command.kind == DRAW_LINE && command.x1 == command.x2 && command.width >= -1 && command.width <= 1 &&
        !clear_pending_) {
        gather_column(p1, p2, word);
        return;
    }
    write_columns();
    const long long width = pen_width(command.width);
    if (clear_pending_) {
        if (command.kind == DRAW_RECTANGLE && width == 0) {
            const PixelBox box = box_between(p1, p2);
            paint_clear(box.left, box.top, box.right, box.bottom);
        } else {
            paint_clear(0, 0, 0, 0);
        }
    }

    switch (command.kind) {
    case DRAW_PIXEL:
        PixelWriter(memory_, word).pixel(p1.column, p1.row);
        break;
    case DRAW_LINE:
        draw_line(word, width, p1, p2);
        break;
    case DRAW_RECTANGLE: {
        const PixelBox box = box_between(p1, p2);
        PixelWriter writer(memory_, word);
        if (width == 0) {
            writer.fill(box.left, box.top, box.right, box.bottom);
        } else {
            frame_box(writer, box, width);
        }
        break;
    }
    case DRAW_OVAL:
        draw_oval(word, width, box_between(p1, p2));
        break;
    case DRAW_TRIANGLE:
        draw_triangle(word, width, p1, p2,
                      PenPoint{PixelCoord{origin_x} + command.x3, PixelCoord{origin_y} - command.y3});
        break;
    case DRAW_TEXT:
        draw_text(word, p1, command.x2, command.text);
        break;
    default:
        break;
    }
}

void PixelCanvas::gather_column(PenPoint from, PenPoint to, std::uint32_t word)
{
    const ColumnBatch::Run run = ColumnBatch::run_of(memory_, from, to);
    if (run.rows > 0 && !columns_.add(run.first, run.rows, word)) {
        write_columns();
    }
}

void PixelCanvas::fill_outline(std::uint32_t word)
{
    PixelWriter writer(memory_, word);
    fill_polygon(writer, outline_, ScanRule::cairo_compatible, PixelBox{0, 0, WIDTH, HEIGHT}, spans_);
    outline_.clear();
}

void PixelCanvas::draw_line(std::uint32_t word, long long width, PenPoint from, PenPoint to)
{
    if (width <= 1) {
        PixelWriter(memory_, word).line(from.column, from.row, to.column, to.row);
        return;
    }
    PathPoint a = centre_of(from);
    PathPoint b = centre_of(to);
    if (clip_segment(a, b, clip_box_for(static_cast<double>(width)))) {
        stroke_outline({a, b}, false, static_cast<double>(width), outline_);
        fill_outline(word);
    }
}

void PixelCanvas::draw_oval(std::uint32_t word, long long width, const PixelBox& box)
{
    PixelWriter writer(memory_, word);
    if (width == 0) {
        fill_ellipse(writer, box, HEIGHT);
    } else if (width == 1) {
        outline_ellipse(writer, box, HEIGHT);
    } else {
        const std::vector<PathPoint> points = clip_polygon(ellipse_path(box), clip_box_for(static_cast<double>(width)));
        if (!points.empty()) {
            stroke_outline(points, true, static_cast<double>(width), outline_);
            fill_outline(word);
        }
    }
}

void PixelCanvas::draw_triangle(std::uint32_t word, long long width, PenPoint p1, PenPoint p2, PenPoint p3)
{
    const std::vector<PathPoint> corners{centre_of(p1), centre_of(p2), centre_of(p3)};
    if (width > 1) {
        const std::vector<PathPoint> points = clip_polygon(corners, clip_box_for(static_cast<double>(width)));
        if (!points.empty()) {
            stroke_outline(points, true, static_cast<double>(width), outline_);
            fill_outline(word);
        }
        return;
    }
    if (width == 0) {
        const std::vector<PathPoint> points = clip_polygon(corners, clip_box_for(0.0));
        if (points.size() >= 3) {
            outline_.add_polygon(fixed_points(points));
            fill_outline(word);
        }
    }
    PixelWriter writer(memory_, word);
    writer.line(p1.column, p1.row, p2.column, p2.row);
    writer.line(p2.column, p2.row, p3.column, p3.row);
    writer.line(p3.column, p3.row, p1.column, p1.row);
    // The outline passes through every corner, even when corners coincide.
    writer.pixel(p1.column, p1.row);
    writer.pixel(p2.column, p2.row);
    writer.pixel(p3.column, p3.row);
}

void PixelCanvas::draw_text(std::uint32_t word, PenPoint anchor, int point_size, const char* text)
{
    if (text == nullptr || text[0] == '\0') {
        return;
    }
    const int size = character_height(point_size);
    PixelWriter writer(memory_, word);
    place_text_lines(text, anchor, glyphs_.line_metrics(size).height,
                     [&](const std::string& line, PixelCoord left, PixelCoord top) {
                         glyphs_.draw_line(writer, size, left, top, line);
                     });
}

void PixelCanvas::clear_white_framed()
{
    write_columns();
    clear_pending_ = true;
}

Rgb PixelCanvas::pixel(int column, int row) const
{
    if (column < 0 || column >= WIDTH || row < 0 || row >= HEIGHT) {
        return Rgb{};
    }
    settle();
    const std::uint32_t value = pixels_[static_cast<std::size_t>(row) * WIDTH + static_cast<std::size_t>(column)];
    return Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value)};
}

PixelRows PixelCanvas::pixel_rows() const
{
    settle();
    return PixelRows{memory_.data, memory_.stride, memory_.width, memory_.height};
}

int PixelCanvas::text_line_height(int point_size)
{
    return embedded_font().line_metrics(character_height(point_size)).height;
}

}  // namespace tavro
