#include "core/windows.h"

namespace tavro {

void Windows::open_graphics_window(Host& host)
{
    // The outer size asked for is the image's.
    host.create_graphics_window(0, 0, Canvas::WIDTH, Canvas::HEIGHT);
    graphics_open_ = true;
}

void Windows::take_image(Host& host)
{
    host.acquire_window_dc();
    drawing_context_ = true;
    image_ = &host.image();
}

void Windows::release_drawing_context(Host& host)
{
    if (drawing_context_) {
        host.release_window_dc();
        drawing_context_ = false;
    }
}

void Windows::flush(Host& host)
{
    if (changed() && graphics_open_) {
        host.present();
    }
    drawings_shown_ = drawings_;
}

void Windows::queue_column_after_drawing_queue(int x, int from_y, int to_y, Rgb colour)
{
    if (image_ != nullptr) {
        image_->queue_column(x, from_y, to_y, colour, origin_x_, origin_y_);
    }
    drawn();
}

}  // namespace tavro
