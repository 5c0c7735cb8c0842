// FLTK desktop host: the graphics window "TAVRO Graphics".
//
// Dependencies: FLTK (Fl_Window), run_menu_bar, drawing_area, key_input.
// Known limits: see graphics_window.h.
#include "hosts/fltk/graphics_window.h"

#include "hosts/fltk/drawing_area.h"
#include "hosts/fltk/key_input.h"
#include "hosts/fltk/run_menu_bar.h"

namespace tavro {

GraphicsWindow::GraphicsWindow(int x, int y, const CairoCanvas& canvas, MessageQueue& queue)
    : Fl_Window(x, y, CLIENT_WIDTH, MENU_HEIGHT + CLIENT_HEIGHT, "TAVRO Graphics"), queue_(queue),
      menu_bar_(new RunMenuBar(0, 0, CLIENT_WIDTH, MENU_HEIGHT, queue)),
      drawing_(new DrawingArea(0, MENU_HEIGHT, CLIENT_WIDTH, CLIENT_HEIGHT, canvas, queue))
{
    end();
    callback(on_close, this);
}

void GraphicsWindow::damage_drawing() const { drawing_->redraw(); }

int GraphicsWindow::handle(int event)
{
    if (queue_key_event(event, WindowId::graphics, queue_)) {
        return 1;
    }
    return Fl_Window::handle(event);
}

void GraphicsWindow::on_close(Fl_Widget*, void* data)
{
    static_cast<GraphicsWindow*>(data)->queue_.push_back(Message{WindowId::graphics, MessageKind::close});
}

}  // namespace tavro
