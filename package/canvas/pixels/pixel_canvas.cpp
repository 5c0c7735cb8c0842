#include "canvas/pixels/pixel_canvas.h"

#include "canvas/pixels/pen_stroke.h"
#include "canvas/pixels/text_placement.h"

#include <string_view>

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

ImageMemory memory_of(std::vector<std::uint32_t>& pixels)
{
    return ImageMemory{reinterpret_cast<unsigned char*>(pixels.data()), Canvas::WIDTH * 4, Canvas::WIDTH,
                       Canvas::HEIGHT};
}

}  // namespace

PixelCanvas::PixelCanvas() : MemoryCanvas(memory_of(pixels)), glyphs_(embedded_font()) {}

void PixelCanvas::fill_outline(Rgb colour)
{
    PixelWriter writer(memory(), pixel_word(colour));
    fill_polygon(writer, outline_, ScanRule::cairo_compatible, PixelBox{0, 0, WIDTH, HEIGHT}, spans_);
    outline_.clear();
}

void PixelCanvas::fill_path(Rgb colour, const std::vector<PathPoint>& points)
{
    outline_.add_polygon(fixed_points(points));
    fill_outline(colour);
}

void PixelCanvas::stroke_path(Rgb colour, long long width, const std::vector<PathPoint>& points, bool closed)
{
    stroke_outline(points, closed, static_cast<double>(width), outline_);
    fill_outline(colour);
}

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
