#include "canvas/cairo/cairo_text.h"

#include "canvas/cairo/cairo_handles.h"
#include "canvas/cairo/font_alias.h"
#include "canvas/pixels/text_placement.h"

#include <cmath>

namespace tavro {

void select_cairo_font(cairo_t* context, const char* face, double pixel_size)
{
    load_font_alias();
    cairo_select_font_face(context, face, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(context, pixel_size);
    CairoFontOptions options(cairo_font_options_create());
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_NONE);
    // Whole-pixel metrics keep line heights and advances the same from run to run.
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(context, options.get());
}

CairoLineMetrics cairo_line_metrics(cairo_t* context)
{
    cairo_font_extents_t extents;
    cairo_font_extents(context, &extents);
    CairoLineMetrics metrics;
    metrics.ascent = static_cast<int>(std::lround(extents.ascent));
    metrics.height = static_cast<int>(std::lround(extents.ascent + extents.descent));
    return metrics;
}

CairoLineMetrics CairoFontCache::use(cairo_t* context, int pixel_size)
{
    const auto found = fonts_.find(pixel_size);
    if (found != fonts_.end()) {
        cairo_set_scaled_font(context, found->second.font.get());
        return found->second.metrics;
    }
    select_cairo_font(context, face_, pixel_size);
    Font font{CairoScaledFont(cairo_scaled_font_reference(cairo_get_scaled_font(context))),
              cairo_line_metrics(context)};
    const CairoLineMetrics metrics = font.metrics;
    fonts_.emplace(pixel_size, std::move(font));
    return metrics;
}

std::string byte_text_to_utf8(std::string_view text)
{
    std::string utf8;
    utf8.reserve(text.size());
    for (char c : text) {
        const unsigned char byte = shown_character(static_cast<unsigned char>(c));
        if (byte < 0x80) {
            utf8.push_back(static_cast<char>(byte));
        } else {
            utf8.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return utf8;
}

void show_cairo_line(cairo_t* context, const CairoLineMetrics& metrics, double left, double top, std::string_view text)
{
    if (text.empty()) {
        return;
    }
    const std::string utf8 = byte_text_to_utf8(text);
    cairo_move_to(context, left, top + metrics.ascent);
    cairo_show_text(context, utf8.c_str());
}

}  // namespace tavro
