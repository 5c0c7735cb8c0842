#include "vehicles.h"

#include <tavro/display.h>

namespace {

// Values the lamps never hold get black wheels rather than an undefined colour.
int bicycle_wheel_colour(int signal_lamp_colour)
{
    return signal_lamp_colour == COLOUR_SEA_GREEN ? COLOUR_WHITE : COLOUR_BLACK;
}

int pink_car_wheel_colour(int stop_lamp_colour)
{
    switch (stop_lamp_colour) {
    case COLOUR_RED:
        return COLOUR_SEA_GREEN;
    case COLOUR_WHITE:
        return COLOUR_PURPLE;
    default:
        return COLOUR_BLACK;
    }
}

}  // namespace

void Bicycle::draw(Display& display, int&, int& signal_lamp_colour, PedestrianPositions&, PedestrianFlags&)
{
    const int wheel = bicycle_wheel_colour(signal_lamp_colour);
    const Point front_wheel = figure_point(4, 9);
    const Point rear_wheel = figure_point(4, -4);
    const Point front_bar_start = figure_point(-5, 9);
    const Point cross_bar_start = figure_point(4, -1);
    const Point cross_bar_end = figure_point(-4, -1);
    const Point short_bar_start = figure_point(-2, 1);
    const Point short_bar_end = figure_point(-2, -3);

    display.draw_circle(front_wheel.x, front_wheel.y, 2, wheel);
    display.draw_circle(rear_wheel.x, rear_wheel.y, 2, wheel);
    display.draw_line(rear_wheel.x, rear_wheel.y, front_wheel.x, front_wheel.y, COLOUR_BLACK, 1);
    display.draw_line(front_bar_start.x, front_bar_start.y, front_wheel.x, front_wheel.y, COLOUR_BLACK, 1);
    display.draw_line(cross_bar_start.x, cross_bar_start.y, cross_bar_end.x, cross_bar_end.y, COLOUR_BLACK, 1);
    display.draw_line(short_bar_start.x, short_bar_start.y, short_bar_end.x, short_bar_end.y, COLOUR_BLACK, 1);
}

void YellowCar::draw(Display& display, int&, int&, PedestrianPositions&, PedestrianFlags&)
{
    const Point cabin_a = figure_point(0, 8);
    const Point cabin_b = figure_point(6, 0);
    const Point body_a = figure_point(-6, 2);
    const Point body_b = figure_point(6, -8);
    const Point patch_a = figure_point(-3, 0);
    const Point patch_b = figure_point(0, -5);

    display.draw_rectangle(cabin_a.x, cabin_a.y, cabin_b.x, cabin_b.y, COLOUR_YELLOW, 0);
    display.draw_rectangle(body_a.x, body_a.y, body_b.x, body_b.y, COLOUR_YELLOW, 0);
    display.draw_rectangle(patch_a.x, patch_a.y, patch_b.x, patch_b.y, COLOUR_BLACK, 0);
}

void PinkCar::draw(Display& display, int& stop_lamp_colour, int&, PedestrianPositions&, PedestrianFlags&)
{
    const int wheel = pink_car_wheel_colour(stop_lamp_colour);
    const Point wheels[] = {figure_point(-4, 8), figure_point(4, 8), figure_point(4, -3), figure_point(-4, -3)};
    const Point body_a = figure_point(-5, -5);
    const Point body_b = figure_point(5, 10);

    for (const Point& centre : wheels)
        display.draw_circle(centre.x, centre.y, 2, wheel);
    display.draw_oval(body_a.x, body_a.y, body_b.x, body_b.y, COLOUR_PINK, 0);
}

void BoxTruck::draw(Display& display, int&, int&, PedestrianPositions&, PedestrianFlags&)
{
    const Point position = get_position();
    const Point front_a = figure_point(-4, 5);
    const Point front_b = figure_point(4, 12);

    display.draw_rectangle(position.x - 5, position.y - 5, position.x + 5, position.y + 7, COLOUR_WHITE, 0);
    display.draw_rectangle(front_a.x, front_a.y, front_b.x, front_b.y, COLOUR_RED, 0);
}
