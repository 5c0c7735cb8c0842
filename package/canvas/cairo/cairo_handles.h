// Owners for the Cairo objects the canvas and the headless text window use.
#pragma once

#include <cairo.h>

#include <memory>

namespace tavro {

struct CairoSurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct CairoContextRelease {
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};
struct CairoScaledFontRelease {
    void operator()(cairo_scaled_font_t* font) const { cairo_scaled_font_destroy(font); }
};
struct CairoFontOptionsRelease {
    void operator()(cairo_font_options_t* options) const { cairo_font_options_destroy(options); }
};

using CairoSurface = std::unique_ptr<cairo_surface_t, CairoSurfaceRelease>;
using CairoContext = std::unique_ptr<cairo_t, CairoContextRelease>;
using CairoScaledFont = std::unique_ptr<cairo_scaled_font_t, CairoScaledFontRelease>;
using CairoFontOptions = std::unique_ptr<cairo_font_options_t, CairoFontOptionsRelease>;

// A drawing context on surface with antialiasing switched off, as every drawing here needs.
inline CairoContext make_context(cairo_surface_t* surface)
{
    CairoContext context(cairo_create(surface));
    cairo_set_antialias(context.get(), CAIRO_ANTIALIAS_NONE);
    return context;
}

}  // namespace tavro
