#include "canvas/pixels/pixel_canvas.h"

#include "canvas/pixels/pixel_font.h"
#include "canvas/pixels/text_placement.h"

namespace tavro {

namespace {

ImageMemory memory_of(std::vector<std::uint32_t>& pixels)
{
    return ImageMemory{reinterpret_cast<unsigned char*>(pixels.data()), Canvas::WIDTH * 4, Canvas::WIDTH,
                       Canvas::HEIGHT};
}

}  // namespace

PixelCanvas::PixelCanvas() : MemoryCanvas(memory_of(pixels)), glyphs_(embedded_font()) {}

void PixelCanvas::draw_text(Rgb colour, PenPoint anchor, int point_size, const char* text)
{
    draw_glyph_text(glyphs_, colour, anchor, point_size, text);
}

int PixelCanvas::text_line_height(int point_size)
{
    return embedded_font().line_metrics(character_height(point_size)).height;
}

}  // namespace tavro
