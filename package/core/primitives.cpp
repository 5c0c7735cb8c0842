// The drawing primitives: argument corrections with their messages, the log
// line while logging is on, then one command rendered into the image.
#include "core/colours.h"
#include "core/log_line.h"
#include "core/session.h"
#include "core/text_block.h"
#include <tavro/display.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <utility>

namespace tavro {
namespace {

constexpr int MAX_POINT_SIZE = 127;

// The size a negative one stands for: its magnitude, or the largest int for INT_MIN, whose
// magnitude no int holds.
int magnitude(int negative) { return negative == INT_MIN ? INT_MAX : -negative; }

int check_width(Console& text, int width)
{
    if (width < 0) {
        text.printf("Width of %d not possible, using width %d\n", width, magnitude(width));
        return magnitude(width);
    }
    return width;
}

int check_radius(Console& text, int radius)
{
    if (radius < 0) {
        text.printf("Radius of %d not possible, using radius %d\n", radius, magnitude(radius));
        return magnitude(radius);
    }
    return radius;
}

int check_point_size(Console& text, int size)
{
    if (size < 0) {
        text.printf("ptsize of %d not possible, using ptsize %d\n", size, magnitude(size));
        size = magnitude(size);
    }
    if (size > MAX_POINT_SIZE) {
        text.printf("ptsize of %d not possible, using ptsize %d\n", size, MAX_POINT_SIZE);
        size = MAX_POINT_SIZE;
    }
    return size;
}

// Puts (x1, y1) at the upper-left corner: smaller x, larger y.
void order_corners(int& x1, int& y1, int& x2, int& y2)
{
    if (x1 > x2) {
        std::swap(x1, x2);
    }
    if (y1 < y2) {
        std::swap(y1, y2);
    }
}

// A box corner's coordinate, held inside int's range however far a large radius puts it.
int held_to_int(long long value) { return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX)); }

void render_command(Session& session, const DrawCommand& command)
{
    session.windows.render(command, colour_values[command.colour]);
}

void log_line(Console& text, int colour, int x1, int y1, int x2, int y2, int width)
{
    LogLine line;
    (line << colour_names[colour] << " line from ").point(x1, y1) << " to ";
    line.point(x2, y2) << ", width " << width;
    line.put(text);
}

// Any line, with its corrections and its log line, drawn at once.
__attribute__((noinline)) int plot_any_line(int colour, int x1, int y1, int x2, int y2, int width)
{
    Session& session = tavro::session();
    width = check_width(session.text, width);
    colour = check_colour(session.text, colour);
    if (session.run.logging()) {
        log_line(session.text, colour, x1, y1, x2, y2, width);
    }
    render_command(session, make_draw_command(DRAW_LINE, colour, width == 0 ? 1 : width, x1, y1, x2, y2));
    return 1;
}

}  // namespace
}  // namespace tavro

// The public drawing calls, at global scope as <tavro/display.h> declares them.
using namespace tavro;

int plot_pixel(int colour, int x, int y)
{
    Session& session = tavro::session();
    colour = check_colour(session.text, colour);
    if (session.run.logging()) {
        LogLine line;
        (line << colour_names[colour] << " pixel at ").point(x, y).put(session.text);
    }
    render_command(session, make_draw_command(DRAW_PIXEL, colour, 0, x, y, 0, 0));
    return 1;
}

int plot_circle(int colour, int x, int y, int radius)
{
    Session& session = tavro::session();
    colour = check_colour(session.text, colour);
    radius = check_radius(session.text, radius);
    if (session.run.logging()) {
        LogLine line;
        (line << colour_names[colour] << " circle at ").point(x, y) << ", radius " << radius;
        line.put(session.text);
    }
    const long long r = radius;
    render_command(session, make_draw_command(DRAW_OVAL, colour, 0, held_to_int(x - r), held_to_int(y + r),
                                              held_to_int(x + r), held_to_int(y - r)));
    return 1;
}

int plot_triangle(int colour, int x1, int y1, int x2, int y2, int x3, int y3, int width)
{
    Session& session = tavro::session();
    colour = check_colour(session.text, colour);
    width = check_width(session.text, width);
    if (session.run.logging()) {
        LogLine line;
        (line << colour_names[colour] << " triangle at ").point(x1, y1) << ", ";
        line.point(x2, y2) << ", ";
        line.point(x3, y3).put(session.text);
    }
    render_command(session, make_draw_command(DRAW_TRIANGLE, colour, width, x1, y1, x2, y2, x3, y3));
    return 1;
}

int plot_rectangle(int colour, int x1, int y1, int x2, int y2, int width)
{
    Session& session = tavro::session();
    order_corners(x1, y1, x2, y2);
    colour = check_colour(session.text, colour);
    width = check_width(session.text, width);
    if (session.run.logging()) {
        LogLine line;
        (line << colour_names[colour] << " rectangle with bounding box ").point(x1, y1) << " to ";
        line.point(x2, y2);
        if (width == 0) {
            line << ", filled";
        } else {
            line << " with line width " << width;
        }
        line.put(session.text);
    }
    render_command(session, make_draw_command(DRAW_RECTANGLE, colour, width, x1, y1, x2, y2));
    return 1;
}

int plot_oval(int colour, int x1, int y1, int x2, int y2, int width)
{
    Session& session = tavro::session();
    order_corners(x1, y1, x2, y2);
    width = check_width(session.text, width);
    colour = check_colour(session.text, colour);
    if (session.run.logging()) {
        LogLine line;
        (line << colour_names[colour] << " oval with bounding box ").point(x1, y1) << " to ";
        line.point(x2, y2);
        if (width == 0) {
            line << ", filled";
        } else {
            line << ", line width " << width;
        }
        line.put(session.text);
    }
    render_command(session, make_draw_command(DRAW_OVAL, colour, width, x1, y1, x2, y2));
    return 1;
}

int plot_line(int colour, int x1, int y1, int x2, int y2, int width)
{
    // Nothing to correct or log, a one-pixel vertical line: a snow frame's 10,000 flakes take
    // this way, with no stack frame to build.
    Session& session = tavro::session();
    if (x1 == x2 && (width == 0 || width == 1) && colour >= 0 && colour < COLOUR_COUNT && !session.run.logging()) {
        session.windows.queue_column(x1, y1, y2, colour_values[colour]);
        return 1;
    }
    return plot_any_line(colour, x1, y1, x2, y2, width);
}

int plot_text(int colour, int x, int y, int point_size, const char* format, ...)
{
    char buffer[TEXT_BUFFER_SIZE];
    std::va_list arguments;
    va_start(arguments, format);
    const int length = format_text(buffer, format, arguments);
    va_end(arguments);
    plot_text_string(colour, x, y, point_size, buffer);
    return length;
}

int plot_text_string(int colour, int x, int y, int point_size, const char* text)
{
    Session& session = tavro::session();
    point_size = check_point_size(session.text, point_size);
    colour = check_colour(session.text, colour);
    if (session.run.logging()) {
        // A text too long for the line is cut so that the line still ends with its quote.
        LogLine line;
        (line << colour_names[colour] << " text at ").point(x, y) << ", \"";
        line.append(text, TEXT_BUFFER_SIZE - 1 - line.length() - 2) << "\"";
        line.put(session.text);
    }
    const char* bytes = session.drawn_text.lock_copy_of(text);
    if (bytes == nullptr) {
        return 1;  // out of memory: the text is skipped
    }
    render_command(session, make_text_command(colour, x, y, point_size, bytes));
    session.drawn_text.unlock();
    return 1;
}

int flush_graphics()
{
    Session& session = tavro::session();
    if (session.run.logging()) {
        session.text.put("Flushing the graphics window\n");
    }
    session.windows.flush(platform_host());
    return 1;
}

int clear_graphics()
{
    Session& session = tavro::session();
    if (session.run.logging()) {
        session.text.put("Clearing the graphics window\n");
    }
    session.windows.clear();
    return 1;
}
