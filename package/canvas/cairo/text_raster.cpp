// Headless host: the text window's pixels drawn with Cairo.
#include "canvas/text_raster.h"

#include "canvas/cairo/cairo_handles.h"
#include "canvas/cairo/cairo_text.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tavro {

namespace {

constexpr const char* FONT_FACE = "DejaVu Sans Mono";
constexpr int CHARACTER_HEIGHT = 12;

void select_window_font(cairo_t* context) { select_cairo_font(context, FONT_FACE, CHARACTER_HEIGHT); }

}  // namespace

struct TextRaster::Pixels {
    CairoSurface image;
};

TextFaceMetrics TextRaster::face_metrics()
{
    CairoSurface scratch = make_image_surface(1, 1);
    CairoContext context = make_context(scratch.get());
    select_window_font(context.get());
    const CairoLineMetrics metrics = cairo_line_metrics(context.get());
    // A face without height would make every line land on the same row.
    return TextFaceMetrics{metrics.ascent, metrics.height > 0 ? metrics.height : CHARACTER_HEIGHT};
}

TextRaster::TextRaster(int width, int height)
    : pixels_(std::make_unique<Pixels>(Pixels{make_image_surface(width, height)})), width_(width), height_(height)
{
}

TextRaster::~TextRaster() = default;

void TextRaster::draw(const TextLines& lines, int top, const TextFaceMetrics& metrics)
{
    cairo_surface_t* image = pixels_->image.get();
    {
        CairoContext context = make_context(image);
        cairo_set_source_rgb(context.get(), 1.0, 1.0, 1.0);
        cairo_paint(context.get());
        select_window_font(context.get());
        const CairoLineMetrics cell{metrics.ascent, metrics.line_height};
        for (const std::string& line : lines) {
            cairo_set_source_rgb(context.get(), 1.0, 1.0, 1.0);
            cairo_rectangle(context.get(), 0, top, width_, metrics.line_height);
            cairo_fill(context.get());
            cairo_set_source_rgb(context.get(), 0.0, 0.0, 0.0);
            show_cairo_line(context.get(), cell, TEXT_LEFT, top, line);
            top += metrics.line_height;
        }
    }
    cairo_surface_flush(image);
}

Rgb TextRaster::pixel(int column, int row) const
{
    const unsigned char* data = cairo_image_surface_get_data(pixels_->image.get());
    if (data == nullptr || column < 0 || column >= width_ || row < 0 || row >= height_) {
        return Rgb{};
    }
    const int stride = cairo_image_surface_get_stride(pixels_->image.get());
    std::uint32_t value = 0;
    std::memcpy(&value, data + static_cast<std::ptrdiff_t>(row) * stride + column * 4, sizeof value);
    return Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value)};
}

}  // namespace tavro
