// The 24 colours as a chart: a swatch of each with its number and its name, in four
// columns of six.
#include <tavro/display.h>

namespace {

// The names the log uses for the colours, in the order of their numbers.
const char* const NAMES[COLOUR_COUNT] = {
    "black",  "white",     "red",        "green",        "blue",      "yellow", "magenta",  "cyan",
    "purple", "navy blue", "dusty plum", "ice blue",     "turquoise", "orange", "brown",    "pink",
    "chalk",  "gold",      "peach",      "forest green", "sea green", "olive",  "50% gray", "20% gray",
};

void draw_chart(Display& display)
{
    display.clear(COLOUR_WHITE);
    display.draw_text(-280, 222, "The 24 TAVRO colours", COLOUR_BLACK, 14);
    for (int colour = 0; colour < COLOUR_COUNT; ++colour) {
        const int left = -290 + (colour / 6) * 148;
        const int top = 190 - (colour % 6) * 70;
        display.draw_rectangle(left, top, left + 50, top - 50, colour, 0);
        display.draw_rectangle(left, top, left + 50, top - 50, COLOUR_BLACK, 1);  // white needs an edge
        plot_text(COLOUR_BLACK, left + 56, top - 16, 9, "%d", colour);
        display.draw_text(left + 56, top - 34, NAMES[colour], COLOUR_BLACK, 9);
    }
}

}  // namespace

int application_main()
{
    Display display;
    int x = 0;
    int y = 0;
    char key = 0;
    do {
        draw_chart(display);
    } while (display.wait_for_event(x, y, key) != event_quit);
    return 0;
}
