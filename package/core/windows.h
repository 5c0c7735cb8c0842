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
    // A one-pixel vertical line, queued with others for the canvas to draw together.
    void queue_column(int x, int from_y, int to_y, Rgb colour)
    {
        if (image_) {
            image_->queue_column(x, from_y, to_y, colour, origin_x_, origin_y_);
        }
        drawn();
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
        if (dirty_) {
            present(host);
        }
    }
    void present(Host& host)
    {
        host.present();
        dirty_ = false;
    }
    // flush_graphics: shows a changed image, when there is a window to show it in.
    void flush(Host& host);
    bool changed() const { return dirty_; }

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
    void drawn()
    {
        dirty_ = true;
        ++drawings_;
    }

    Canvas* image_ = nullptr;  // owned by the host
    bool dirty_ = true;
    long long drawings_ = 0;
    int origin_x_ = 0;
    int origin_y_ = 0;
    bool graphics_open_ = false;
    bool drawing_context_ = false;  // held from opening until the display is closed
};

}  // namespace tavro
