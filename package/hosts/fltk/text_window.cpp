// FLTK desktop host: the text window "TAVRO Text".
//
// Dependencies: FLTK (Fl_Window, fl_draw), text_lines, key_input.
// Known limits: see text_window.h.
#include "hosts/fltk/text_window.h"

#include "hosts/fltk/key_input.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

namespace tavro {

namespace {

constexpr int MINIMUM_WIDTH = 100;
constexpr int MINIMUM_HEIGHT = 40;
constexpr int SMALLEST_LINE_HEIGHT = 8;

}  // namespace

TextWindow::TextWindow(int x, int y, int width, int height, MessageQueue& queue)
    : Fl_Window(x, y, width, height, "TAVRO Text"), queue_(queue),
      // Enough lines for a window as tall as the screen, even in a small face.
      lines_(static_cast<std::size_t>(Fl::h() / SMALLEST_LINE_HEIGHT + 1))
{
    end();
    color(FL_WHITE);
    resizable(this);
    size_range(MINIMUM_WIDTH, MINIMUM_HEIGHT);
    callback(on_close, this);
}

void TextWindow::put_line(const char* text)
{
    lines_.put(text != nullptr ? text : "");
    redraw();
}

void TextWindow::clear_lines()
{
    lines_.clear();
    redraw();
}

int TextWindow::handle(int event)
{
    if (queue_key_event(event, WindowId::text, queue_)) {
        return 1;
    }
    return Fl_Window::handle(event);
}

void TextWindow::draw()
{
    if ((damage() & FL_DAMAGE_EXPOSE) != 0) {
        queue_.push_back(Message{WindowId::text, MessageKind::paint});
    }
    fl_color(FL_WHITE);
    fl_rectf(0, 0, w(), h());
    fl_font(FL_COURIER, FONT_SIZE);
    fl_color(FL_BLACK);
    const int line_height = fl_height();
    const int descent = fl_descent();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const int bottom = h() - static_cast<int>(i) * line_height;
        if (bottom <= 0) {
            break;
        }
        fl_draw(lines_.from_newest(i).c_str(), TEXT_LEFT, bottom - descent);
    }
}

void TextWindow::on_close(Fl_Widget*, void* data)
{
    static_cast<TextWindow*>(data)->queue_.push_back(Message{WindowId::text, MessageKind::close});
}

}  // namespace tavro
