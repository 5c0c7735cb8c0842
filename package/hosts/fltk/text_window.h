// FLTK desktop host: the text window "TAVRO Text", black lines on white in
// FLTK's fixed-pitch face, the newest at the bottom, 5 pixels in from the left.
//
// Lines are stored and drawn on repaint, the newest that fit. A repaint that
// the window system asks for (an expose) also queues Message{text, paint}, so
// that the package replays its history; keys typed here are queued for the
// text window, and its close box queues Message{text, close}.
//
// Dependencies: FLTK (Fl_Window, fl_draw), text_lines, key_input.
// Known limits: single-buffered, so a large expose may flicker once.
#pragma once

#include "hosts/message_queue.h"
#include "hosts/text_lines.h"

#include <FL/Fl_Window.H>

namespace tavro {

class TextWindow final : public Fl_Window {
public:
    static constexpr int FONT_SIZE = 12;
    static constexpr int TEXT_LEFT = 5;

    TextWindow(int x, int y, int width, int height, MessageQueue& queue);

    // Scrolls the lines up by one and puts text at the bottom.
    void put_line(const char* text);
    void clear_lines();
    int handle(int event) override;
    void draw() override;

private:
    static void on_close(Fl_Widget* widget, void* data);

    MessageQueue& queue_;
    TextLines lines_;
};

}  // namespace tavro
