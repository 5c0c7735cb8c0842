#include "canvas/cairo/cairo_canvas.h"

#include "canvas/image_canvas.h"

#include <memory>
#include <utility>

namespace tavro {

namespace {

ImageMemory memory_of(cairo_surface_t* surface)
{
    return ImageMemory{cairo_image_surface_get_data(surface), cairo_image_surface_get_stride(surface), Canvas::WIDTH,
                       Canvas::HEIGHT};
}

}  // namespace

CairoCanvas::CairoCanvas() : CairoCanvas(make_image_surface(WIDTH, HEIGHT)) {}

CairoCanvas::CairoCanvas(CairoSurface surface)
    : MemoryCanvas(memory_of(surface.get())), surface_(std::move(surface)), glyph_faces_(FONT_FACE),
      glyphs_(glyph_faces_)
{
}

void CairoCanvas::tell_cairo_of_memory_writes() const
{
    if (memory_written_) {
        cairo_surface_mark_dirty(surface_.get());
        memory_written_ = false;
    }
}

void CairoCanvas::draw_text(Rgb colour, PenPoint anchor, int point_size, const char* text)
{
    draw_glyph_text(glyphs_, colour, anchor, point_size, text);
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
