// Owners for the Cairo objects the canvas and the headless text window use.
#pragma once

#include <cairo.h>

#include <memory>
#include <stdexcept>
#include <string>

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

// An RGB image of width x height pixels; throws, naming the size and Cairo's reason, when
// Cairo cannot make it (out of memory, a size it refuses), as it would otherwise hand back an
// image that silently draws nothing.
inline CairoSurface make_image_surface(int width, int height)
{
    CairoSurface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    const cairo_status_t status = cairo_surface_status(surface.get());
    if (status != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot make a " + std::to_string(width) + " x " + std::to_string(height) +
                                 " image: " + cairo_status_to_string(status));
    }
    return surface;
}

// A drawing context on surface with antialiasing switched off, as every drawing here needs.
inline CairoContext make_context(cairo_surface_t* surface)
{
    CairoContext context(cairo_create(surface));
    const cairo_status_t status = cairo_status(context.get());
    if (status != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error(std::string("cannot draw on an image: ") + cairo_status_to_string(status));
    }
    cairo_set_antialias(context.get(), CAIRO_ANTIALIAS_NONE);
    return context;
}

}  // namespace tavro
