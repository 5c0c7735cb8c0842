#include "road.h"

namespace {

constexpr int LAMP_RADIUS = 3;

struct LightPost {
    int post_x1, post_y1, post_x2, post_y2;  // offsets from the end corner
    int green_x, green_y, red_x, red_y;
};

// Indexed by direction.
constexpr LightPost LIGHT_POSTS[4] = {
    {20, -2, 28, -17, 24, -12, 24, -6},      // NORTH
    {-2, -20, -17, -28, -12, -24, -6, -24},  // EAST
    {-20, 2, -28, 17, -24, 6, -24, 12},      // SOUTH
    {2, 20, 17, 28, 12, 24, 6, 24},          // WEST
};

bool has_light_post(Direction direction, int road)
{
    switch (direction) {
    case NORTH:
        return road != 2 && road != 17 && road != 20;
    case SOUTH:
        return road != 18 && road != 19 && road != 21;
    case WEST:
        return road != 16;
    default:
        return true;
    }
}

// The red sign, built from four x values at a fixed height.
void draw_red_sign(int a, int b, int c, int d)
{
    plot_rectangle(COLOUR_RED, a, -120, b, -113, 0);
    plot_rectangle(COLOUR_RED, c, -127, d, -120, 0);
    plot_rectangle(COLOUR_RED, c, -113, d, -106, 0);
    plot_triangle(COLOUR_RED, b, -113, d, -106, d, -113, 0);
    plot_triangle(COLOUR_RED, a, -113, c, -106, d, -113, 0);
    plot_triangle(COLOUR_RED, b, -120, d, -120, d, -127, 0);
    plot_triangle(COLOUR_RED, a, -120, c, -120, c, -127, 0);
}

// The short post with one lamp beside the end of the stop-sign and signal roads.
void draw_lamp_post(Point end, int lamp_colour)
{
    plot_rectangle(COLOUR_BROWN, end.x + 20, end.y - 2, end.x + 28, end.y - 12, 1);
    plot_circle(lamp_colour, end.x + 24, end.y - 6, LAMP_RADIUS);
}

void draw_lot(Display& display, int x1, int y1, int x2, int y2)
{
    display.draw_rectangle(x1, y1, x2, y2, COLOUR_PEACH, 0);
    display.draw_rectangle(x1, y1, x2, y2, COLOUR_WHITE, 1);
}

}  // namespace

void Road::draw(Display& display, int& stop_lamp_colour, int& signal_lamp_colour, PedestrianPositions& pedestrian_pos,
                PedestrianFlags& pedestrian_active)
{
    draw_surface(display);
    draw_light_post();
    draw_signs(stop_lamp_colour, signal_lamp_colour);
    for (auto& vehicle : queue_)
        vehicle->draw(display, stop_lamp_colour, signal_lamp_colour, pedestrian_pos, pedestrian_active);
}

void Road::draw_surface(Display& display) const
{
    const Point& start = corners_[0];
    const Point& end = corners_[1];
    switch (number_) {
    case 19:
    case 21:
        draw_lot(display, start.x, start.y, end.x + 30, end.y);
        plot_text(COLOUR_BLUE, end.x - 17, end.y + 30, 10, "PARKING");
        break;
    case 20:
        draw_lot(display, start.x + 30, start.y, end.x - 40, end.y);
        plot_text(COLOUR_BLUE, start.x - 35, start.y + 10, 10, "PARKING");
        break;
    default:
        display.draw_rectangle(start.x, start.y, end.x, end.y, COLOUR_GRAY_20, 0);
        display.draw_rectangle(start.x, start.y, end.x, end.y, COLOUR_WHITE, 1);
        break;
    }
}

void Road::draw_light_post() const
{
    if (!has_light_post(direction_, number_))
        return;
    const LightPost& post = LIGHT_POSTS[direction_];
    const Point& e = corners_[1];
    plot_rectangle(COLOUR_BROWN, e.x + post.post_x1, e.y + post.post_y1, e.x + post.post_x2, e.y + post.post_y2, 1);
    // Only the lamp that is lit is drawn, in the light's own colour.
    if (light_ == COLOUR_GREEN)
        plot_circle(light_, e.x + post.green_x, e.y + post.green_y, LAMP_RADIUS);
    else
        plot_circle(light_, e.x + post.red_x, e.y + post.red_y, LAMP_RADIUS);
}

void Road::draw_signs(int stop_lamp_colour, int signal_lamp_colour) const
{
    const Point& e = corners_[1];
    switch (number_) {
    case 18:
        draw_red_sign(e.x - 22, e.x - 40, e.x - 28, e.x - 34);
        break;
    case 17:
        draw_red_sign(e.x + 28, e.x + 46, e.x + 34, e.x + 40);
        plot_text(COLOUR_WHITE, e.x + 28, -120, 7, "STOP");
        draw_lamp_post(e, stop_lamp_colour);
        break;
    case 2:
        draw_lamp_post(e, signal_lamp_colour);
        plot_circle(signal_lamp_colour, 149, -117, 2);
        break;
    default:
        break;
    }
}
