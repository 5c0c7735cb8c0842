// Corrections on purpose: arguments the package cannot use are corrected, the call goes
// on, and each correction is one line in the "TAVRO Text" window. Coordinates are never
// corrected: what falls outside the window is simply not seen.
#include <tavro/display.h>

namespace {

void draw(Display& display)
{
    display.clear(COLOUR_WHITE);
    // "Illegal color 30; using RED.": the circle is drawn red.
    display.draw_circle(-200, 100, 40, 30);
    // "Radius of -25 not possible, using radius 25"
    display.draw_circle(-100, 100, -25, COLOUR_BLUE);
    // "Width of -4 not possible, using width 4": an outline 4 pixels wide.
    display.draw_rectangle(0, 140, 100, 60, COLOUR_GREEN, -4);
    // Two corrections in a row: "ptsize of -200 not possible, using ptsize 200",
    // then "ptsize of 200 not possible, using ptsize 127".
    display.draw_text(-280, -200, "Big", COLOUR_PURPLE, -200);
    // Corners in any order are no mistake: they are put in order without a word.
    display.draw_oval(250, -240, 150, -120, COLOUR_ORANGE, 0);
    // Far outside the window: drawn, and not seen.
    display.draw_line(1000, 1000, 2000, 2000, COLOUR_BLACK, 1);
}

}  // namespace

int application_main()
{
    Display display;
    int x = 0;
    int y = 0;
    char key = 0;
    do {
        draw(display);
    } while (display.wait_for_event(x, y, key) != event_quit);
    return 0;
}
