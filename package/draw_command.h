// One drawing call, handed from a primitive to the canvas.
#pragma once

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
    int colour = 0;           // already valid, 0..23
    int width = 0;            // 0: filled shape, or a one-pixel line
    int x1 = 0, y1 = 0;       // logical coordinates
    int x2 = 0, y2 = 0;       // for text, x2 holds the point size
    int x3 = 0, y3 = 0;
    const char* text = nullptr;  // DRAW_TEXT only
};
