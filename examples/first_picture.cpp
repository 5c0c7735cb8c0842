// A first picture: shapes, colours and text. The picture is drawn again after every
// event, so it is there whatever happens to the window; the program ends on quit
// (Ctrl+Q, the Run menu's Quit, or closing the window).
#include <tavro/display.h>

namespace {

void draw_picture(Display& display)
{
    display.clear(COLOUR_ICE_BLUE);  // shows the last frame, then fills the 600 x 500 area

    // The origin is the centre of the window and y grows upward.
    display.draw_rectangle(-300, -250, 300, -120, COLOUR_FOREST_GREEN, 0);  // width 0: filled
    display.draw_circle(200, 160, 40, COLOUR_GOLD);                         // circles are always filled

    // A house: a filled body, an outlined door and a roof.
    display.draw_rectangle(-150, -120, 50, 40, COLOUR_CHALK, 0);
    display.draw_rectangle(-70, -120, -30, -40, COLOUR_BROWN, 3);  // width 3: an outline
    display.draw_triangle(-170, 40, 70, 40, -50, 130, COLOUR_RED, 0);
    display.draw_oval(-130, -10, -90, 20, COLOUR_NAVY_BLUE, 2);

    display.draw_line(-300, 200, 300, 200, COLOUR_GRAY_50, 1);
    display.draw_pixel(0, 0, COLOUR_BLACK);
    display.draw_text(-280, 220, "My first TAVRO picture", COLOUR_BLACK, 14);

    // The plain functions take the colour first.
    plot_text(COLOUR_CHALK, 60, -200, 14, "%d colours to choose from", COLOUR_COUNT);
}

}  // namespace

int application_main()
{
    Display display;
    int x = 0;
    int y = 0;
    char key = 0;
    do {
        draw_picture(display);
    } while (display.wait_for_event(x, y, key) != event_quit);
    return 0;
}
