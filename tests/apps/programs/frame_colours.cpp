// A program whose i-th frame is all colour COLOUR_RED + i, for checking which frames a run shows.
#include <tavro/display.h>

int application_main()
{
    Display display;
    display.set_animation_mode(2);
    int x = 0, y = 0;
    char key = 0;
    for (int i = 0;; ++i) {
        display.clear(COLOUR_RED + i % (COLOUR_COUNT - COLOUR_RED));
        if (display.wait_for_event(x, y, key) == event_quit) {
            return 0;
        }
    }
}
