#include "canvas/pixels/pixel_canvas.h"

#include "canvas/pixels/text_placement.h"

#include <string_view>

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
    const int size = character_height(point_size);
    PixelWriter writer(memory(), pixel_word(colour));
    place_text_lines(text, anchor, glyphs_.line_metrics(size).height,
                     [&](std::string_view line, PixelCoord left, PixelCoord top) {
                         glyphs_.draw_line(writer, size, left, top, line);
                     });
}

int PixelCanvas::text_line_height(int point_size)
{
    return embedded_font().line_metrics(character_height(point_size)).height;
}

}  // namespace tavro
