#include "canvas/cairo/cairo_canvas.h"

#include "canvas/image_canvas.h"
#include "canvas/pixels/box_frame.h"
#include "canvas/pixels/path_clip.h"
#include "canvas/pixels/pen_path.h"
#include "canvas/pixels/text_placement.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace tavro {

namespace {

constexpr const char* FONT_FACE = "TAVRO-font";

void set_source(cairo_t* context, Rgb colour)
{
    cairo_set_source_rgb(context, colour.r / 255.0, colour.g / 255.0, colour.b / 255.0);
}

void add_polygon(cairo_t* context, const std::vector<PathPoint>& points)
{
    cairo_new_path(context);
    cairo_move_to(context, points.front().x, points.front().y);
    for (std::size_t i = 1; i < points.size(); ++i) {
        cairo_line_to(context, points[i].x, points[i].y);
    }
    cairo_close_path(context);
}

void fill_polygon(cairo_t* context, Rgb colour, const std::vector<PathPoint>& points)
{
    set_source(context, colour);
    add_polygon(context, points);
    cairo_fill(context);
}

void prepare_pen(cairo_t* context, Rgb colour, double width)
{
    set_source(context, colour);
    cairo_set_line_width(context, width);
    cairo_set_line_cap(context, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(context, CAIRO_LINE_JOIN_ROUND);
}

void stroke_polygon(cairo_t* context, Rgb colour, long long width, const std::vector<PathPoint>& points)
{
    prepare_pen(context, colour, static_cast<double>(width));
    add_polygon(context, points);
    cairo_stroke(context);
}

void stroke_segment(cairo_t* context, Rgb colour, long long width, PathPoint from, PathPoint to)
{
    prepare_pen(context, colour, static_cast<double>(width));
    cairo_new_path(context);
    cairo_move_to(context, from.x, from.y);
    cairo_line_to(context, to.x, to.y);
    cairo_stroke(context);
}

}  // namespace

CairoCanvas::CairoCanvas()
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, WIDTH, HEIGHT)),
      context_(make_context(surface_.get())), memory_{cairo_image_surface_get_data(surface_.get()),
                                                      cairo_image_surface_get_stride(surface_.get()), WIDTH, HEIGHT},
      fonts_(FONT_FACE)
{
}

void CairoCanvas::take_cairo_drawing() const
{
    if (cairo_drew_) {
        cairo_surface_flush(surface_.get());
        cairo_drew_ = false;
    }
}

PixelWriter CairoCanvas::memory_writer(std::uint32_t word) const
{
    take_cairo_drawing();
    memory_written_ = true;
    return PixelWriter(memory_, word);
}

cairo_t* CairoCanvas::cairo() const
{
    write_columns();
    if (memory_written_) {
        cairo_surface_mark_dirty(surface_.get());
        memory_written_ = false;
    }
    cairo_drew_ = true;
    return context_.get();
}

void CairoCanvas::paint_clear(PixelCoord left, PixelCoord top, PixelCoord right, PixelCoord bottom) const
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

void CairoCanvas::settle() const
{
    write_columns();
    if (clear_pending_) {
        paint_clear(0, 0, 0, 0);
    }
    take_cairo_drawing();
    if (memory_written_) {
        cairo_surface_mark_dirty(surface_.get());
        memory_written_ = false;
    }
}

// Pixel-exact shapes are drawn here; the rest, rare in a frame, is left to Cairo
// by functions of their own so that this one stays small and cheap to enter.
void CairoCanvas::render(const DrawCommand& command, Rgb colour, int origin_x, int origin_y)
{
    const PenPoint p1{PixelCoord{origin_x} + command.x1, PixelCoord{origin_y} - command.y1};
    const PenPoint p2{PixelCoord{origin_x} + command.x2, PixelCoord{origin_y} - command.y2};
    if (command.kind == DRAW_LINE && command.x1 == command.x2 && command.width >= -1 && command.width <= 1 &&
        !clear_pending_) {
        gather_column(p1, p2, pixel_word(colour));
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
    const std::uint32_t word = pixel_word(colour);

    switch (command.kind) {
    case DRAW_PIXEL:
        memory_writer(word).pixel(p1.column, p1.row);
        break;
    case DRAW_LINE:
        if (width <= 1) {
            memory_writer(word).line(p1.column, p1.row, p2.column, p2.row);
        } else {
            stroke_line(colour, width, p1, p2);
        }
        break;
    case DRAW_RECTANGLE: {
        const PixelBox box = box_between(p1, p2);
        if (width == 0) {
            memory_writer(word).fill(box.left, box.top, box.right, box.bottom);
        } else {
            PixelWriter writer = memory_writer(word);
            frame_box(writer, box, width);
        }
        break;
    }
    case DRAW_OVAL: {
        const PixelBox box = box_between(p1, p2);
        if (width == 0) {
            PixelWriter writer = memory_writer(word);
            fill_ellipse(writer, box, HEIGHT);
        } else if (width == 1) {
            PixelWriter writer = memory_writer(word);
            outline_ellipse(writer, box, HEIGHT);
        } else {
            stroke_oval(colour, width, box);
        }
        break;
    }
    case DRAW_TRIANGLE:
        draw_triangle(colour, width, p1, p2,
                      PenPoint{PixelCoord{origin_x} + command.x3, PixelCoord{origin_y} - command.y3});
        break;
    case DRAW_TEXT:
        draw_text(colour, p1, command.x2, command.text);
        break;
    default:
        break;
    }
}

void CairoCanvas::gather_column(PenPoint from, PenPoint to, std::uint32_t word)
{
    const ColumnBatch::Run run = ColumnBatch::run_of(memory_, from, to);
    if (run.rows == 0) {
        return;
    }
    take_cairo_drawing();
    memory_written_ = true;
    if (!columns_.add(run.first, run.rows, word)) {
        write_columns();
    }
}

void CairoCanvas::stroke_line(Rgb colour, long long width, PenPoint from, PenPoint to) const
{
    PathPoint a = centre_of(from);
    PathPoint b = centre_of(to);
    if (clip_segment(a, b, clip_box_for(static_cast<double>(width)))) {
        stroke_segment(cairo(), colour, width, a, b);
    }
}

void CairoCanvas::stroke_oval(Rgb colour, long long width, const PixelBox& box) const
{
    const std::vector<PathPoint> points = clip_polygon(ellipse_path(box), clip_box_for(static_cast<double>(width)));
    if (!points.empty()) {
        stroke_polygon(cairo(), colour, width, points);
    }
}

void CairoCanvas::draw_triangle(Rgb colour, long long width, PenPoint p1, PenPoint p2, PenPoint p3) const
{
    const std::vector<PathPoint> corners{centre_of(p1), centre_of(p2), centre_of(p3)};
    if (width > 1) {
        const std::vector<PathPoint> points = clip_polygon(corners, clip_box_for(static_cast<double>(width)));
        if (!points.empty()) {
            stroke_polygon(cairo(), colour, width, points);
        }
        return;
    }
    if (width == 0) {
        const std::vector<PathPoint> points = clip_polygon(corners, clip_box_for(0.0));
        if (points.size() >= 3) {
            fill_polygon(cairo(), colour, points);
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

void CairoCanvas::draw_text(Rgb colour, PenPoint anchor, int point_size, const char* text)
{
    if (text == nullptr || text[0] == '\0') {
        return;
    }
    cairo_t* context = cairo();
    const CairoLineMetrics metrics = fonts_.use(context, character_height(point_size));
    set_source(context, colour);
    place_text_lines(text, anchor, metrics.height, [&](const std::string& line, PixelCoord left, PixelCoord top) {
        show_cairo_line(context, metrics, static_cast<double>(left), static_cast<double>(top), line);
    });
}

void CairoCanvas::clear_white_framed()
{
    write_columns();
    clear_pending_ = true;
}

Rgb CairoCanvas::pixel(int column, int row) const
{
    if (column < 0 || column >= WIDTH || row < 0 || row >= HEIGHT) {
        return Rgb{};
    }
    const ImageMemory& image = memory();
    if (image.data == nullptr) {
        return Rgb{};
    }
    std::uint32_t value = 0;
    std::memcpy(&value, image.data + static_cast<std::ptrdiff_t>(row) * image.stride + column * 4, sizeof value);
    return Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value)};
}

cairo_surface_t* CairoCanvas::surface() const
{
    settle();
    return surface_.get();
}

const ImageMemory& CairoCanvas::memory() const
{
    settle();
    return memory_;
}

PixelRows CairoCanvas::pixel_rows() const
{
    const ImageMemory& image = memory();
    return PixelRows{image.data, image.stride, image.width, image.height};
}

std::unique_ptr<Canvas> make_image_canvas() { return std::make_unique<CairoCanvas>(); }

int CairoCanvas::text_line_height(int point_size)
{
    CairoSurface scratch(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1));
    CairoContext context = make_context(scratch.get());
    select_cairo_font(context.get(), FONT_FACE, character_height(point_size));
    return cairo_line_metrics(context.get()).height;
}

}  // namespace tavro
