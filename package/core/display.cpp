#include <tavro/display.h>

#include "core/session.h"

#include <cstdlib>

// The public class, at global scope as <tavro/display.h> declares it.
using namespace tavro;

Display::Display() : width(600), height(500)
{
    Session& session = tavro::session();
    if (session.display_taken) {
        char reply[PROMPT_REPLY_SIZE] = {};
        prompt_dialog("Error: Attempted to instantiate multiple TAVRO displays", reply);
        std::exit(-1);
    }
    session.display_taken = true;
    session.open_display();
    session.run.set_logging(false);
}

Display::~Display() { session().close_display(); }

void Display::clear(int colour)
{
    flush_graphics();
    clear_graphics();
    draw_rectangle(-(width / 2), -(height / 2), width / 2, height / 2, colour, 0);
}

int Display::wait_for_event(int& x, int& y, char& key)
{
    const int kind = session().wait.next_event(x, y, key);
    switch (kind) {
    case event_mouse:
    case event_keyboard:
    case event_periodic:
    case event_quit:
        return kind;
    default:
        return 0;
    }
}

void Display::set_animation_mode(int mode)
{
    Session& session = tavro::session();
    if (session.windows.graphics_window_open()) {
        session.run.set(mode == animation_quit ? RUN_MODE_QUIT : mode);
    }
}

int Display::draw_text(int x, int y, const char* text, int colour, int point_size)
{
    return plot_text(colour, x, y, point_size, "%s", text);
}

int Display::draw_pixel(int x, int y, int colour) { return plot_pixel(colour, x, y); }

int Display::draw_line(int x1, int y1, int x2, int y2, int colour, int pen_width)
{
    return plot_line(colour, x1, y1, x2, y2, pen_width);
}

int Display::draw_rectangle(int x1, int y1, int x2, int y2, int colour, int pen_width)
{
    return plot_rectangle(colour, x1, y1, x2, y2, pen_width);
}

int Display::draw_triangle(int x1, int y1, int x2, int y2, int x3, int y3, int colour, int pen_width)
{
    return plot_triangle(colour, x1, y1, x2, y2, x3, y3, pen_width);
}

int Display::draw_oval(int x1, int y1, int x2, int y2, int colour, int pen_width)
{
    return plot_oval(colour, x1, y1, x2, y2, pen_width);
}

int Display::draw_circle(int x, int y, int radius, int colour) { return plot_circle(colour, x, y, radius); }

long long tavro_time() { return platform_host().current_time(); }
