// The graphics window and the off-screen image: opened by the session, drawn into by the
// primitives, shown by the event wait and the graphics window's repaint.
#pragma once

#include "seam/draw_command.h"
#include "seam/host.h"

namespace tavro {

class Windows {
public:
    // Creates the graphics window; the image and the drawing context are taken once it exists.
    void open_graphics_window(Host& host);
    void take_image(Host& host);
    void release_drawing_context(Host& host);
    bool graphics_window_open() const { return graphics_open_; }

    // The centre of the client area: mouse positions and drawing are relative to it.
    void centre_on(const ClientRect& rect)
    {
        origin_x_ = rect.left + (rect.right - rect.left) / 2;
        origin_y_ = rect.top + (rect.bottom - rect.top) / 2;
    }
    int origin_x() const { return origin_x_; }
    int origin_y() const { return origin_y_; }

    // Every drawing call goes through one of these: the image changes and is to be shown.
    void render(const DrawCommand& command, Rgb colour)
    {
        if (image_) {
            image_->render(command, colour, origin_x_, origin_y_);
        }
        drawn();
    }
    // A one-pixel vertical line, queued with others for the canvas to draw together. The common
    // case stores four fields and a count: the rest is out of line, so that a snow frame's
    // 10,000 calls build no stack frame.
    void queue_column(int x, int from_y, int to_y, Rgb colour)
    {
        if (image_ != nullptr && image_->queue_has_room(origin_x_, origin_y_)) {
            image_->put_in_queue(x, from_y, to_y, colour);
            drawn();
            return;
        }
        queue_column_after_drawing_queue(x, from_y, to_y, colour);
    }
    void clear()
    {
        if (image_) {
            image_->clear_white_framed();
        }
        drawn();
    }

    // Copies the image to the window when it changed since it was last shown.
    void present_if_changed(Host& host)
    {
        if (changed()) {
            present(host);
        }
    }
    void present(Host& host)
    {
        host.present();
        drawings_shown_ = drawings_;
    }
    // flush_graphics: shows a changed image, when there is a window to show it in.
    void flush(Host& host);
    bool changed() const { return drawings_ != drawings_shown_; }

    // Drawing calls into the image so far: whoever takes pictures of it can tell whether it changed.
    long long drawings() const { return drawings_; }

    // Draws into another canvas instead (a test drawing the same calls with two canvases).
    Canvas* redirect(Canvas* image)
    {
        Canvas* previous = image_;
        image_ = image;
        return previous;
    }

private:
    void drawn() { ++drawings_; }
    void queue_column_after_drawing_queue(int x, int from_y, int to_y, Rgb colour);

    Canvas* image_ = nullptr;  // owned by the host
    // The image changed since it was last shown while these differ: one count for both, so that
    // a drawing call stores once.
    long long drawings_ = 0;
    long long drawings_shown_ = -1;
    int origin_x_ = 0;
    int origin_y_ = 0;
    bool graphics_open_ = false;
    bool drawing_context_ = false;  // held from opening until the display is closed
};

}  // namespace tavro
