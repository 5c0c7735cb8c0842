// FLTK desktop host: the graphics window's client area, which shows the
// off-screen image from its pixel (0, 0) and reports left-button presses.
//
// Dependencies: FLTK (Fl_Widget, fl_draw_image), the Cairo canvas.
// Known limits: shows the image's top-left part of the widget's size only.
#pragma once

#include "canvas/cairo/cairo_canvas.h"
#include "hosts/message_queue.h"

#include <FL/Fl_Widget.H>

namespace tavro {

class DrawingArea final : public Fl_Widget {
public:
    DrawingArea(int x, int y, int width, int height, const CairoCanvas& canvas, MessageQueue& queue);

    void draw() override;
    int handle(int event) override;

private:
    const CairoCanvas& canvas_;
    MessageQueue& queue_;
};

}  // namespace tavro
