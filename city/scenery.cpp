#include "scenery.h"

#include <tavro/display.h>

namespace {

// A box seen slightly from above and to the right: a black back outline, two
// overlapping faces and black edges joining front to back. The school and the
// store differ in where the front outline ends (front_bottom) and how high the
// top right edge rises (top_rise).
struct Block {
    int ax;
    int ay;
    int width;
    int height;
    int face_colour;
    int front_bottom;
    int top_rise;
};

void draw_block(Display& display, const Block& b)
{
    const int right = b.ax + b.width;
    const int bottom = b.ay - b.height;
    display.draw_rectangle(b.ax + 6, b.ay + 6, right + 6, bottom + 6, COLOUR_BLACK, 1);
    display.draw_rectangle(b.ax, b.ay, right, bottom, b.face_colour, 0);
    display.draw_rectangle(b.ax + 5, b.ay + 5, right + 5, bottom + 5, b.face_colour, 0);
    display.draw_rectangle(b.ax + 1, b.ay + 1, right + 1, b.front_bottom, COLOUR_BLACK, 1);
    display.draw_line(right + 1, b.front_bottom, right + 6, bottom + 6, COLOUR_BLACK, 1);
    display.draw_line(right + 1, b.ay, right + 6, b.ay + b.top_rise, COLOUR_BLACK, 1);
    display.draw_line(b.ax, b.ay, b.ax + 6, b.ay + 6, COLOUR_BLACK, 1);
}

constexpr Block SCHOOL{-225, -60, 40, 25, COLOUR_YELLOW, -60 - 25 - 1, 6};
constexpr Block STORE{-69, -211, 100, 40, COLOUR_RED, -211 - 40 + 1, 5};

void draw_ponds_and_park(Display& display)
{
    display.draw_oval(-125, -25, 78, -125, COLOUR_BLUE, 0);
    display.draw_rectangle(130, 250, 300, 30, COLOUR_FOREST_GREEN, 0);
    display.draw_text(145, 150, "Gasworks Park", COLOUR_BLACK, 15);
}

// The left frame holds the plus sign, the right one the minus sign.
void draw_car_buttons(Display& display)
{
    display.draw_rectangle(-294, -250, -257, -213, COLOUR_BLACK, 1);
    display.draw_rectangle(-257, -250, -220, -213, COLOUR_BLACK, 1);
    display.draw_text(-290, -215, "Decrease cars -", COLOUR_BLACK, 12);
    display.draw_text(-290, -200, "Increase cars +", COLOUR_BLACK, 12);
    display.draw_line(-275, -240, -275, -222, COLOUR_BLACK, 1);
    display.draw_line(-284, -231, -263, -231, COLOUR_BLACK, 1);
    display.draw_line(-244, -231, -229, -231, COLOUR_BLACK, 1);
}

void draw_tower(Display& display)
{
    display.draw_oval(135, -145, 165, -155, COLOUR_BLACK, 3);
    display.draw_oval(130, -150, 170, -140, COLOUR_BLACK, 0);
    display.draw_line(150, -145, 150, -120, COLOUR_BLACK, 2);
    display.draw_line(144, -154, 140, -200, COLOUR_BLACK, 2);
    display.draw_line(155, -154, 159, -200, COLOUR_BLACK, 2);
    display.draw_line(150, -154, 150, -194, COLOUR_BLACK, 2);
    display.draw_text(200, -145, "Space Needle", COLOUR_BLACK, 12);
}

}  // namespace

void draw_scenery(Display& display)
{
    display.clear(COLOUR_SEA_GREEN);
    draw_ponds_and_park(display);
    draw_car_buttons(display);
    // The duck's pond, over the park.
    display.draw_oval(225, 125, 290, 40, COLOUR_BLUE, 0);

    draw_block(display, SCHOOL);
    display.draw_text(-221, -75, "School", COLOUR_BLACK, 12);

    draw_tower(display);

    draw_block(display, STORE);
    display.draw_pixel(STORE.ax + 4, STORE.ay + 2, COLOUR_RED);
    display.draw_text(-45, -230, "K-MART", COLOUR_BLACK, 12);

    display.draw_rectangle(265, -230, 300, -250, COLOUR_ICE_BLUE, 0);
    display.draw_text(265, -250, "Snow", COLOUR_WHITE, 15);
}
