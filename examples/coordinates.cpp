// The coordinate system: the origin at the centre, x to the right, y upward, and the
// drawing area from (-300, -250) to (300, 250). Click anywhere to see where you clicked.
#include <tavro/display.h>

namespace {

void draw_axes(Display& display)
{
    display.clear(COLOUR_WHITE);
    display.draw_rectangle(-300, -250, 300, 250, COLOUR_GRAY_50, 1);  // the edge of the area
    display.draw_line(-300, 0, 300, 0, COLOUR_GRAY_20, 1);
    display.draw_line(0, -250, 0, 250, COLOUR_GRAY_20, 1);
    display.draw_triangle(290, 5, 290, -5, 300, 0, COLOUR_BLACK, 0);  // x grows to the right
    display.draw_triangle(-5, 240, 5, 240, 0, 250, COLOUR_BLACK, 0);  // y grows upward
    display.draw_text(280, 10, "x", COLOUR_BLACK, 12);
    display.draw_text(8, 230, "y", COLOUR_BLACK, 12);
    display.draw_circle(0, 0, 3, COLOUR_RED);
    display.draw_text(6, -18, "(0, 0)", COLOUR_RED, 10);
    display.draw_text(-292, 232, "(-300, 250)", COLOUR_BLUE, 10);
    display.draw_text(218, 232, "(300, 250)", COLOUR_BLUE, 10);
    display.draw_text(-292, -242, "(-300, -250)", COLOUR_BLUE, 10);
    display.draw_text(210, -242, "(300, -250)", COLOUR_BLUE, 10);
    display.draw_circle(100, 50, 3, COLOUR_FOREST_GREEN);
    display.draw_text(106, 36, "(100, 50)", COLOUR_FOREST_GREEN, 10);
}

}  // namespace

int application_main()
{
    Display display;
    int x = 0;
    int y = 0;
    char key = 0;
    bool clicked = false;
    int click_x = 0;
    int click_y = 0;
    for (;;) {
        draw_axes(display);
        if (clicked) {
            display.draw_circle(click_x, click_y, 3, COLOUR_MAGENTA);
            plot_text(COLOUR_MAGENTA, click_x + 6, click_y - 14, 10, "click at (%d, %d)", click_x, click_y);
        }
        const int event = display.wait_for_event(x, y, key);
        if (event == event_quit) {
            return 0;
        }
        if (event == event_mouse) {
            clicked = true;
            click_x = x;
            click_y = y;
        }
    }
}
