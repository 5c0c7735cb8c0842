#include "canvas/cairo/cairo_canvas.h"

#include "canvas/image_canvas.h"

#include <cstddef>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace tavro {

namespace {

constexpr const char* FONT_FACE = "TAVRO-font";

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

ImageMemory memory_of(cairo_surface_t* surface)
{
    return ImageMemory{cairo_image_surface_get_data(surface), cairo_image_surface_get_stride(surface), Canvas::WIDTH,
                       Canvas::HEIGHT};
}

}  // namespace

CairoCanvas::CairoCanvas(Rasteriser rasteriser) : CairoCanvas(make_image_surface(WIDTH, HEIGHT), rasteriser) {}

CairoCanvas::CairoCanvas(CairoSurface surface, Rasteriser rasteriser)
    : MemoryCanvas(memory_of(surface.get())), surface_(std::move(surface)), context_(make_context(surface_.get())),
      glyph_faces_(FONT_FACE), glyphs_(glyph_faces_), fonts_(FONT_FACE), rasteriser_(rasteriser)
{
}

void CairoCanvas::take_cairo_drawing() const
{
    if (cairo_drew_) {
        cairo_surface_flush(surface_.get());
        cairo_drew_ = false;
    }
}

void CairoCanvas::before_memory_write() const
{
    take_cairo_drawing();
    memory_written_ = true;
}

void CairoCanvas::finish_drawing() const
{
    take_cairo_drawing();
    if (memory_written_) {
        cairo_surface_mark_dirty(surface_.get());
        memory_written_ = false;
    }
}

cairo_t* CairoCanvas::cairo() const
{
    if (memory_written_) {
        cairo_surface_mark_dirty(surface_.get());
        memory_written_ = false;
    }
    cairo_drew_ = true;
    return context_.get();
}

void CairoCanvas::fill_path(Rgb colour, const std::vector<PathPoint>& points)
{
    if (rasteriser_ == Rasteriser::package) {
        MemoryCanvas::fill_path(colour, points);
        return;
    }
    cairo_t* context = cairo();
    set_source(context, colour);
    add_path(context, points, true);
    cairo_fill(context);
}

void CairoCanvas::stroke_path(Rgb colour, long long width, const std::vector<PathPoint>& points, bool closed)
{
    if (rasteriser_ == Rasteriser::package) {
        MemoryCanvas::stroke_path(colour, width, points, closed);
        return;
    }
    cairo_t* context = cairo();
    set_source(context, colour);
    cairo_set_line_width(context, static_cast<double>(width));
    cairo_set_line_cap(context, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(context, CAIRO_LINE_JOIN_ROUND);
    add_path(context, points, closed);
    cairo_stroke(context);
}

void CairoCanvas::draw_text(Rgb colour, PenPoint anchor, int point_size, const char* text)
{
    if (rasteriser_ == Rasteriser::package) {
        draw_glyph_text(glyphs_, colour, anchor, point_size, text);
        return;
    }
    cairo_t* context = cairo();
    const CairoLineMetrics metrics = fonts_.use(context, character_height(point_size));
    set_source(context, colour);
    place_text_lines(text, anchor, metrics.height, [&](std::string_view line, PixelCoord left, PixelCoord top) {
        show_cairo_line(context, metrics, static_cast<double>(left), static_cast<double>(top), line);
    });
}

cairo_surface_t* CairoCanvas::surface() const
{
    settle();
    return surface_.get();
}

std::unique_ptr<Canvas> make_image_canvas() { return std::make_unique<CairoCanvas>(); }

int CairoCanvas::text_line_height(int point_size)
{
    CairoSurface scratch = make_image_surface(1, 1);
    CairoContext context = make_context(scratch.get());
    select_cairo_font(context.get(), FONT_FACE, character_height(point_size));
    return cairo_line_metrics(context.get()).height;
}

}  // namespace tavro
