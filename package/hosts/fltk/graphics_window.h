// FLTK desktop host: the graphics window "TAVRO Graphics": the Run menu bar
// over the drawing area (the client area of seam/canvas.h), fixed in size.
//
// Keys typed in it are queued as key_down / key_up messages (so no FLTK
// shortcut handling runs), and its close box queues Message{graphics, close}.
//
// Dependencies: FLTK (Fl_Window), run_menu_bar, drawing_area, key_input.
// Known limits: the window is sized to its menu bar and drawing area, not to the
// outer size the package asks for; a window manager adds its frame around that.
#pragma once

#include "canvas/cairo/cairo_canvas.h"
#include "hosts/message_queue.h"

#include <FL/Fl_Window.H>

namespace tavro {

class DrawingArea;
class RunMenuBar;

class GraphicsWindow final : public Fl_Window {
public:
    static constexpr int MENU_HEIGHT = 25;

    GraphicsWindow(int x, int y, const CairoCanvas& canvas, MessageQueue& queue);

    RunMenuBar& menu_bar() { return *menu_bar_; }
    // Marks the drawing area for a fresh copy of the image.
    void damage_drawing() const;
    int handle(int event) override;

private:
    static void on_close(Fl_Widget* widget, void* data);

    MessageQueue& queue_;
    RunMenuBar* menu_bar_;  // owned by this window (an FLTK group)
    DrawingArea* drawing_;  // owned by this window
};

}  // namespace tavro
