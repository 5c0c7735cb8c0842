// One drawing call, handed from a primitive to the canvas.
#pragma once

namespace tavro {

enum DrawKind {
    DRAW_TRIANGLE = 0,
    DRAW_RECTANGLE = 1,
    DRAW_OVAL = 2,
    DRAW_LINE = 3,
    DRAW_PIXEL = 4,
    DRAW_TEXT = 5,
};

struct DrawCommand {
    int kind = DRAW_PIXEL;
    int colour = 0;      // already valid, 0..23
    int width = 0;       // 0: filled shape, or a one-pixel line
    int x1 = 0, y1 = 0;  // logical coordinates
    int x2 = 0, y2 = 0;
    int x3 = 0, y3 = 0;
    int point_size = 0;          // DRAW_TEXT only
    const char* text = nullptr;  // DRAW_TEXT only
};

// A shape: triangle, rectangle, oval, line or pixel.
inline DrawCommand make_draw_command(int kind, int colour, int width, int x1, int y1, int x2, int y2, int x3 = 0,
                                     int y3 = 0)
{
    DrawCommand command;
    command.kind = kind;
    command.colour = colour;
    command.width = width;
    command.x1 = x1;
    command.y1 = y1;
    command.x2 = x2;
    command.y2 = y2;
    command.x3 = x3;
    command.y3 = y3;
    return command;
}

// Text whose first line's top-left corner is at (x, y).
inline DrawCommand make_text_command(int colour, int x, int y, int point_size, const char* text)
{
    DrawCommand command = make_draw_command(DRAW_TEXT, colour, 0, x, y, 0, 0);
    command.point_size = point_size;
    command.text = text;
    return command;
}

}  // namespace tavro
