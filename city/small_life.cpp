#include "small_life.h"

#include <tavro/display.h>

void advance_blink_phase(int& blink_phase, int& stop_lamp_colour, int& signal_lamp_colour)
{
    switch (blink_phase) {
    case 8:
    case 16:
        stop_lamp_colour = COLOUR_RED;
        break;
    case 4:
    case 12:
        stop_lamp_colour = COLOUR_SEA_GREEN;
        break;
    default:
        break;
    }
    switch (blink_phase) {
    case 6:
    case 14:
        signal_lamp_colour = COLOUR_RED;
        break;
    case 2:
    case 10:
        signal_lamp_colour = COLOUR_SEA_GREEN;
        break;
    default:
        break;
    }
    if (--blink_phase == 0) {
        blink_phase = 20;
    }
}

void step_pedestrian(Point& position, int& arm_drop, int& leg_spread, int& arm_toggle, int& leg_toggle)
{
    position.move(EAST, 2);
    if (arm_toggle == 1) {
        arm_drop = 5;
        arm_toggle = 0;
    } else if (arm_toggle == 0) {
        arm_drop = 8;
        arm_toggle = 1;
    } else {
        return;
    }
    if (leg_toggle == 1) {
        leg_spread = 3;
        leg_toggle = 0;
    } else if (leg_toggle == 0) {
        leg_spread = 5;
        leg_toggle = 1;
    }
}

namespace {

void draw_walking_figure(int x, int y, int arm_drop, int leg_spread)
{
    plot_circle(COLOUR_YELLOW, x, y + 3, 3);
    plot_circle(COLOUR_YELLOW, x, y - 4, 4);
    // Both arms start at the same shoulder point.
    plot_line(COLOUR_YELLOW, x - 3, y - 3, x - 10, y - arm_drop, 1);
    plot_line(COLOUR_YELLOW, x - 3, y - 3, x + 10, y - arm_drop, 1);
    plot_line(COLOUR_YELLOW, x - 3, y - 9, x - leg_spread, y - 16, 1);
    plot_line(COLOUR_YELLOW, x + 3, y - 9, x + leg_spread, y - 16, 1);
}

// The figure standing in the park's top corner, whoever is walking there.
void draw_fixed_figure()
{
    plot_circle(COLOUR_YELLOW, 203, 228, 3);
    plot_line(COLOUR_YELLOW, 202, 225, 202, 223, 1);
    plot_line(COLOUR_YELLOW, 204, 225, 204, 223, 1);
    plot_oval(COLOUR_YELLOW, 206, 223, 200, 213, 0);
    plot_triangle(COLOUR_YELLOW, 203, 224, 193, 223, 203, 217, 1);
    plot_triangle(COLOUR_YELLOW, 203, 224, 214, 223, 203, 217, 1);
    plot_line(COLOUR_YELLOW, 201, 213, 198, 203, 1);
    plot_line(COLOUR_YELLOW, 203, 213, 206, 203, 1);
    plot_circle(COLOUR_YELLOW, 198, 203, 1);
    plot_circle(COLOUR_YELLOW, 206, 203, 1);
}

}  // namespace

void draw_pedestrian(Point position, int arm_drop, int leg_spread)
{
    const int x = position.x;
    const int y = position.y;
    if (x < -70) {
        plot_text(COLOUR_CYAN, -120, -200, 16, "Let's go shopping");
        draw_walking_figure(x, y, arm_drop, leg_spread);
    } else if (x > 30 && x < 90) {
        plot_text(COLOUR_CYAN, 0, -200, 16, "Let's go home");
        draw_walking_figure(x, y, arm_drop, leg_spread);
    } else if (x > 100 && x < 200 && y > 100) {
        plot_text(COLOUR_GOLD, 150, 200, 16, "Such a nice day");
        draw_walking_figure(x, y, arm_drop, leg_spread);
    } else if (x > 200 && x < 400 && y > 100) {
        plot_text(COLOUR_GOLD, 150, 186, 16, "Hmm, So nice");
        draw_fixed_figure();
    }
}

namespace {

// A point given as an offset from centre, turned about centre by quarter_turns.
Point turned(Point centre, int dx, int dy, int quarter_turns)
{
    Point p(centre.x + dx, centre.y + dy);
    p.rotate_about(centre.x, centre.y, quarter_turns);
    return p;
}

}  // namespace

void draw_boat(Point position, Display& display, Direction facing)
{
    const int x = position.x;
    const int y = position.y;
    const Point stern = turned(position, 0, -5, facing);
    const Point bow_left = turned(position, -5, 5, facing);
    const Point bow_right = turned(position, 5, 5, facing);
    const Point bow_tip = turned(position, 0, 10, facing);

    // The hull square is symmetric, so it is never turned; drawn again over the stern.
    display.draw_rectangle(x - 5, y - 5, x + 5, y + 5, COLOUR_WHITE, 0);
    display.draw_circle(stern.x, stern.y, 5, COLOUR_WHITE);
    display.draw_rectangle(x - 5, y - 5, x + 5, y + 5, COLOUR_WHITE, 0);
    display.draw_triangle(bow_left.x, bow_left.y, bow_right.x, bow_right.y, bow_tip.x, bow_tip.y, COLOUR_WHITE, 0);
}

void draw_duck(Point position, Display& display, Direction facing)
{
    const Point body_corner = turned(position, 6, -4, facing);
    const Point head = turned(position, 5, 1, facing);
    const Point beak_top = turned(position, 7, 2, facing);
    const Point beak_tip = turned(position, 9, 1, facing);
    const Point beak_bottom = turned(position, 7, 0, facing);

    display.draw_oval(position.x, position.y, body_corner.x, body_corner.y, COLOUR_YELLOW, 0);
    display.draw_circle(head.x, head.y, 2, COLOUR_YELLOW);
    display.draw_triangle(beak_top.x, beak_top.y, beak_tip.x, beak_tip.y, beak_bottom.x, beak_bottom.y, COLOUR_ORANGE,
                          0);
    display.draw_pixel(head.x, head.y, COLOUR_BLACK);
}
