#include "canvas/cairo/cairo_glyphs.h"

#include "canvas/pixels/text_placement.h"

#include <cmath>
#include <memory>
#include <string>

namespace tavro {

namespace {

// Owns the glyphs Cairo hands back from converting text.
struct CairoGlyphRelease {
    void operator()(cairo_glyph_t* glyphs) const { cairo_glyph_free(glyphs); }
};
using CairoGlyphArray = std::unique_ptr<cairo_glyph_t, CairoGlyphRelease>;

}  // namespace

CairoGlyphs::CairoGlyphs(const char* face)
    : scratch_(make_image_surface(1, 1)), context_(make_context(scratch_.get())), fonts_(face)
{
}

CairoLineMetrics CairoGlyphs::use(int pixel_size) const { return fonts_.use(context_.get(), pixel_size); }

FontLineMetrics CairoGlyphs::line_metrics(int pixel_size) const
{
    const CairoLineMetrics metrics = use(pixel_size);
    return FontLineMetrics{metrics.ascent, metrics.height};
}

Glyph CairoGlyphs::glyph(unsigned char character, int pixel_size) const
{
    use(pixel_size);
    cairo_scaled_font_t* font = cairo_get_scaled_font(context_.get());
    // The character twice: the second glyph's place is the advance Cairo's text drawing moves by.
    const std::string one = byte_text_to_utf8(std::string(1, static_cast<char>(character)));
    const std::string twice = one + one;
    cairo_glyph_t* converted = nullptr;
    int count = 0;
    cairo_scaled_font_text_to_glyphs(font, 0, 0, twice.data(), static_cast<int>(twice.size()), &converted, &count,
                                     nullptr, nullptr, nullptr);
    const CairoGlyphArray glyphs(converted);
    Glyph glyph;
    if (count != 2) {
        return glyph;
    }
    // Whole-pixel metrics make the advance whole, give or take the rounding of its conversion.
    glyph.advance = static_cast<int>(std::lround(glyphs.get()[1].x));

    // Drawn white on black with its origin in the middle of an image with room for any glyph of the size.
    const int reach = 2 * pixel_size + 8;
    const CairoSurface image = make_image_surface(2 * reach, 2 * reach);
    {
        const CairoContext context = make_context(image.get());
        cairo_set_scaled_font(context.get(), font);
        cairo_set_source_rgb(context.get(), 1.0, 1.0, 1.0);
        cairo_glyph_t placed = glyphs.get()[0];
        placed.x = reach;
        placed.y = reach;
        cairo_show_glyphs(context.get(), &placed, 1);
    }
    cairo_surface_flush(image.get());
    const unsigned char* data = cairo_image_surface_get_data(image.get());
    const int stride = cairo_image_surface_get_stride(image.get());
    const auto lit = [&](int row, int column) {
        const unsigned char* pixel = data + row * stride + column * 4;
        return (pixel[0] | pixel[1] | pixel[2]) != 0;
    };
    for (int row = 0; row < 2 * reach; ++row) {
        for (int column = 0; column < 2 * reach;) {
            if (!lit(row, column)) {
                ++column;
                continue;
            }
            const int left = column;
            while (column < 2 * reach && lit(row, column)) {
                ++column;
            }
            glyph.spans.push_back({row - reach, left - reach, column - reach});
        }
    }
    return glyph;
}

}  // namespace tavro
