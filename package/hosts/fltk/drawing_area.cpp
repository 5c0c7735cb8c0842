// FLTK desktop host: the graphics window's client area.
//
// Dependencies: FLTK (Fl_Widget, fl_draw_image), cairo (image surface data).
// Known limits: see drawing_area.h.
#include "hosts/fltk/drawing_area.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <cstdint>
#include <cstring>

namespace tavro {

namespace {

constexpr int RGB_BYTES = 3;

// Turns one row piece of the Cairo RGB24 surface (native 0x00RRGGBB words) into R, G, B bytes.
void copy_row(void* data, int x, int y, int width, uchar* out)
{
    auto* surface = static_cast<cairo_surface_t*>(data);
    const unsigned char* row = cairo_image_surface_get_data(surface) +
                               static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface);
    for (int i = 0; i < width; ++i) {
        std::uint32_t word = 0;
        std::memcpy(&word, row + static_cast<std::ptrdiff_t>(x + i) * sizeof word, sizeof word);
        out[RGB_BYTES * i] = static_cast<uchar>(word >> 16);
        out[RGB_BYTES * i + 1] = static_cast<uchar>(word >> 8);
        out[RGB_BYTES * i + 2] = static_cast<uchar>(word);
    }
}

}  // namespace

DrawingArea::DrawingArea(int x, int y, int width, int height, const CairoCanvas& canvas, MessageQueue& queue)
    : Fl_Widget(x, y, width, height), canvas_(canvas), queue_(queue)
{
}

void DrawingArea::draw()
{
    cairo_surface_t* surface = canvas_.surface();
    cairo_surface_flush(surface);
    fl_draw_image(copy_row, surface, x(), y(), w(), h(), RGB_BYTES);
}

int DrawingArea::handle(int event)
{
    if (event != FL_PUSH || Fl::event_button() != FL_LEFT_MOUSE) {
        return Fl_Widget::handle(event);
    }
    Message message{WindowId::graphics, MessageKind::left_button_down};
    message.x = Fl::event_x() - x();
    message.y = Fl::event_y() - y();
    queue_.push_back(message);
    return 1;
}

}  // namespace tavro
