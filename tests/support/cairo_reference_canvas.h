// The reference the package's drawing is checked against: a Cairo canvas whose polygon
// interiors, wide pens and text go through Cairo's own paths and text drawing (without
// antialiasing) into the same surface, its exact shapes still written by the package.
#pragma once

#include "canvas/cairo/cairo_canvas.h"
#include "canvas/cairo/cairo_text.h"

#include <vector>

class CairoReferenceCanvas final : public tavro::CairoCanvas {
public:
    CairoReferenceCanvas();

private:
    void fill_path(tavro::Rgb colour, const std::vector<tavro::PathPoint>& points) override;
    void stroke_path(tavro::Rgb colour, long long width, const std::vector<tavro::PathPoint>& points,
                     bool closed) override;
    void draw_text(tavro::Rgb colour, tavro::PenPoint anchor, int point_size, const char* text) override;
    // Memory and Cairo are brought in step only when the other is about to draw or the image is read.
    void before_memory_write() const override;
    void finish_drawing() const override;
    void take_cairo_drawing() const;
    // The context, once Cairo knows what was written into the memory.
    cairo_t* cairo() const;

    tavro::CairoContext context_;
    tavro::CairoFontCache fonts_;
    mutable bool cairo_drew_ = false;  // Cairo may hold drawing not yet in memory
};
