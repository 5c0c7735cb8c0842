#include "cairo_reference_canvas.h"

#include <cstddef>
#include <string_view>

using namespace tavro;

namespace {

void set_source(cairo_t* context, Rgb colour)
{
    cairo_set_source_rgb(context, colour.r / 255.0, colour.g / 255.0, colour.b / 255.0);
}

void add_path(cairo_t* context, const std::vector<PathPoint>& points, bool closed)
{
    cairo_new_path(context);
    cairo_move_to(context, points.front().x, points.front().y);
    for (std::size_t i = 1; i < points.size(); ++i) {
        cairo_line_to(context, points[i].x, points[i].y);
    }
    if (closed) {
        cairo_close_path(context);
    }
}

}  // namespace

CairoReferenceCanvas::CairoReferenceCanvas() : context_(make_context(own_surface())), fonts_(FONT_FACE) {}

void CairoReferenceCanvas::take_cairo_drawing() const
{
    if (cairo_drew_) {
        cairo_surface_flush(own_surface());
        cairo_drew_ = false;
    }
}

void CairoReferenceCanvas::before_memory_write() const
{
    take_cairo_drawing();
    CairoCanvas::before_memory_write();
}

void CairoReferenceCanvas::finish_drawing() const
{
    take_cairo_drawing();
    CairoCanvas::finish_drawing();
}

cairo_t* CairoReferenceCanvas::cairo() const
{
    tell_cairo_of_memory_writes();
    cairo_drew_ = true;
    return context_.get();
}

void CairoReferenceCanvas::fill_path(Rgb colour, const std::vector<PathPoint>& points)
{
    cairo_t* context = cairo();
    set_source(context, colour);
    add_path(context, points, true);
    cairo_fill(context);
}

void CairoReferenceCanvas::stroke_path(Rgb colour, long long width, const std::vector<PathPoint>& points, bool closed)
{
    cairo_t* context = cairo();
    set_source(context, colour);
    cairo_set_line_width(context, static_cast<double>(width));
    cairo_set_line_cap(context, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(context, CAIRO_LINE_JOIN_ROUND);
    add_path(context, points, closed);
    cairo_stroke(context);
}

void CairoReferenceCanvas::draw_text(Rgb colour, PenPoint anchor, int point_size, const char* text)
{
    cairo_t* context = cairo();
    const CairoLineMetrics metrics = fonts_.use(context, character_height(point_size));
    set_source(context, colour);
    place_text_lines(text, anchor, metrics.height, [&](std::string_view line, PixelCoord left, PixelCoord top) {
        show_cairo_line(context, metrics, static_cast<double>(left), static_cast<double>(top), line);
    });
}
