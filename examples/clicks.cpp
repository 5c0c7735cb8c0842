// Clicks: a dot where the user clicks, and a line joining it to the one before.
// Clicking the small square at the top-left corner wipes the drawing.
#include <tavro/display.h>

#include <vector>

namespace {

struct Point {
    int x;
    int y;
};

bool in_wipe_square(int x, int y) { return x >= -290 && x <= -260 && y >= 220 && y <= 240; }

void draw(Display& display, const std::vector<Point>& points)
{
    display.clear(COLOUR_WHITE);
    display.draw_rectangle(-290, 240, -260, 220, COLOUR_GRAY_20, 0);
    display.draw_text(-250, 222, "click to draw; click the square to wipe", COLOUR_BLACK, 10);
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0) {
            display.draw_line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, COLOUR_BLUE, 2);
        }
        display.draw_circle(points[i].x, points[i].y, 5, COLOUR_RED);
    }
}

}  // namespace

int application_main()
{
    Display display;
    std::vector<Point> points;
    for (;;) {
        draw(display, points);
        int x = 0;
        int y = 0;
        char key = 0;
        const int event = display.wait_for_event(x, y, key);
        if (event == event_quit) {
            return 0;
        }
        if (event == event_mouse) {
            // x and y are where the click was, in the same coordinates as the drawing.
            if (in_wipe_square(x, y)) {
                points.clear();
            } else {
                points.push_back({x, y});
            }
        }
    }
}
