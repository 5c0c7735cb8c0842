#include "canvas/pixels/memory_canvas.h"

#include "canvas/pixels/box_frame.h"
#include "canvas/pixels/pen_path.h"
#include "canvas/pixels/pen_stroke.h"
#include "canvas/pixels/text_placement.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace tavro {

PixelWriter MemoryCanvas::memory_writer(std::uint32_t word) const
{
    before_memory_write();
    return PixelWriter(memory_, word);
}

void MemoryCanvas::paint_clear(PixelCoord left, PixelCoord top, PixelCoord right, PixelCoord bottom) const
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
    PixelWriter white = memory_writer(pixel_word(Rgb{255, 255, 255}));
    PixelWriter black = memory_writer(pixel_word(Rgb{0, 0, 0}));
    for (const PixelBox& part : uncovered) {
        white.fill(part.left, part.top, part.right, part.bottom);
        for (const PixelBox& edge : frame) {
            black.fill(std::max(part.left, edge.left), std::max(part.top, edge.top), std::min(part.right, edge.right),
                       std::min(part.bottom, edge.bottom));
        }
    }
}

void MemoryCanvas::settle() const
{
    draw_queued_columns();
    if (clear_pending_) {
        paint_clear(0, 0, 0, 0);
    }
    finish_drawing();
}

// Pixel-exact shapes are drawn here; the rest, rare in a frame, is left to functions of their
// own so that this one stays small and cheap to enter.
void MemoryCanvas::render(const DrawCommand& command, Rgb colour, int origin_x, int origin_y)
{
    const PenPoint p1{PixelCoord{origin_x} + command.x1, PixelCoord{origin_y} - command.y1};
    const PenPoint p2{PixelCoord{origin_x} + command.x2, PixelCoord{origin_y} - command.y2};
    const std::uint32_t word = pixel_word(colour);
    draw_queued_columns();
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
        memory_writer(word).pixel(p1.column, p1.row);
        break;
    case DRAW_LINE:
        draw_line(colour, width, p1, p2);
        break;
    case DRAW_RECTANGLE: {
        const PixelBox box = box_between(p1, p2);
        PixelWriter writer = memory_writer(word);
        if (width == 0) {
            writer.fill(box.left, box.top, box.right, box.bottom);
        } else {
            frame_box(writer, box, width);
        }
        break;
    }
    case DRAW_OVAL:
        draw_oval(colour, width, box_between(p1, p2));
        break;
    case DRAW_TRIANGLE:
        draw_triangle(colour, width, p1, p2,
                      PenPoint{PixelCoord{origin_x} + command.x3, PixelCoord{origin_y} - command.y3});
        break;
    case DRAW_TEXT:
        if (command.text != nullptr && command.text[0] != '\0') {
            draw_text(colour, p1, command.point_size, command.text);
        }
        break;
    default:
        break;
    }
}

void MemoryCanvas::render_columns(const ColumnLine* lines, std::size_t count, int origin_x, int origin_y) const
{
    if (clear_pending_) {
        paint_clear(0, 0, 0, 0);
    }
    before_memory_write();
    const PixelCoord stride = memory_.stride;
    for (std::size_t i = 0; i < count; ++i) {
        const ColumnLine& line = lines[i];
        const PixelCoord column = PixelCoord{origin_x} + line.x;
        const PixelCoord from = PixelCoord{origin_y} - line.from_y;
        const PixelCoord to = PixelCoord{origin_y} - line.to_y;
        const PixelCoord top = std::max<PixelCoord>(to < from ? to + 1 : from, 0);
        const PixelCoord bottom = std::min<PixelCoord>(to < from ? from + 1 : to, memory_.height);
        if (column < 0 || column >= memory_.width || top >= bottom || memory_.data == nullptr) {
            continue;
        }
        const std::uint32_t word = pixel_word(line.colour);
        unsigned char* at = memory_.data + top * stride + column * PixelCoord{sizeof word};
        for (PixelCoord row = top; row < bottom; ++row, at += stride) {
            std::memcpy(at, &word, sizeof word);
        }
    }
}

void MemoryCanvas::draw_line(Rgb colour, long long width, PenPoint from, PenPoint to)
{
    if (width <= 1) {
        memory_writer(pixel_word(colour)).line(from.column, from.row, to.column, to.row);
        return;
    }
    PathPoint a = centre_of(from);
    PathPoint b = centre_of(to);
    if (clip_segment(a, b, clip_box_for(static_cast<double>(width)))) {
        path_.assign({a, b});
        stroke_path(colour, width, path_, false);
    }
}

void MemoryCanvas::draw_oval(Rgb colour, long long width, const PixelBox& box)
{
    if (width > 1) {
        ellipse_path(box, path_);
        clip_polygon(path_, clip_box_for(static_cast<double>(width)));
        if (!path_.empty()) {
            stroke_path(colour, width, path_, true);
        }
        return;
    }
    PixelWriter writer = memory_writer(pixel_word(colour));
    if (width == 0) {
        fill_ellipse(writer, box, HEIGHT);
    } else {
        outline_ellipse(writer, box, HEIGHT);
    }
}

void MemoryCanvas::draw_triangle(Rgb colour, long long width, PenPoint p1, PenPoint p2, PenPoint p3)
{
    path_.assign({centre_of(p1), centre_of(p2), centre_of(p3)});
    if (width > 1) {
        clip_polygon(path_, clip_box_for(static_cast<double>(width)));
        if (!path_.empty()) {
            stroke_path(colour, width, path_, true);
        }
        return;
    }
    if (width == 0) {
        clip_polygon(path_, clip_box_for(0.0));
        if (path_.size() >= 3) {
            fill_path(colour, path_);
        }
    }
    PixelWriter writer = memory_writer(pixel_word(colour));
    writer.line(p1.column, p1.row, p2.column, p2.row);
    writer.line(p2.column, p2.row, p3.column, p3.row);
    writer.line(p3.column, p3.row, p1.column, p1.row);
    // The outline passes through every corner, even when corners coincide.
    writer.pixel(p1.column, p1.row);
    writer.pixel(p2.column, p2.row);
    writer.pixel(p3.column, p3.row);
}

void MemoryCanvas::clear_white_framed()
{
    draw_queued_columns();
    clear_pending_ = true;
}

Rgb MemoryCanvas::pixel(int column, int row) const
{
    if (column < 0 || column >= WIDTH || row < 0 || row >= HEIGHT || memory_.data == nullptr) {
        return Rgb{};
    }
    settle();
    std::uint32_t value = 0;
    std::memcpy(&value, memory_.data + static_cast<std::ptrdiff_t>(row) * memory_.stride + column * 4, sizeof value);
    return Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value)};
}

PixelRows MemoryCanvas::pixel_rows() const
{
    settle();
    return PixelRows{memory_.data, memory_.stride, memory_.width, memory_.height};
}

void MemoryCanvas::fill_outline(Rgb colour)
{
    PixelWriter writer = memory_writer(pixel_word(colour));
    fill_polygon(writer, outline_, ScanRule::cairo_compatible, PixelBox{0, 0, WIDTH, HEIGHT}, spans_);
    outline_.clear();
}

void MemoryCanvas::fill_path(Rgb colour, const std::vector<PathPoint>& points)
{
    fixed_path_.clear();
    for (const PathPoint& p : points) {
        fixed_path_.push_back({to_fixed(p.x), to_fixed(p.y)});
    }
    outline_.add_polygon(fixed_path_);
    fill_outline(colour);
}

void MemoryCanvas::stroke_path(Rgb colour, long long width, const std::vector<PathPoint>& points, bool closed)
{
    stroke_outline(points, closed, static_cast<double>(width), outline_, stroke_memory_);
    fill_outline(colour);
}

void MemoryCanvas::draw_glyph_text(GlyphCache& glyphs, Rgb colour, PenPoint anchor, int point_size, const char* text)
{
    const int size = character_height(point_size);
    PixelWriter writer = memory_writer(pixel_word(colour));
    place_text_lines(text, anchor, glyphs.line_metrics(size).height,
                     [&](std::string_view line, PixelCoord left, PixelCoord top) {
                         glyphs.draw_line(writer, size, left, top, line);
                     });
}

}  // namespace tavro
