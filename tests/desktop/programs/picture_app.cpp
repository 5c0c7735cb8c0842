// A test program on the package: the fixed picture with the clicks, typed
// characters and animation ticks received so far, so that the desktop and the
// headless hosts must show the same picture for the same input. It starts
// halted and runs until quit.
#include "fixed_picture.h"

#include <string>

int application_main()
{
    Display display;
    display.set_animation_mode(0);
    PictureInput received;
    draw_fixed_picture(display, received);
    for (;;) {
        int x = 0;
        int y = 0;
        char key = 0;
        const int kind = display.wait_for_event(x, y, key);
        if (kind == event_quit) {
            break;
        }
        if (kind == event_mouse) {
            received.clicks.emplace_back(x, y);
        } else if (kind == event_keyboard) {
            received.keys += std::to_string(static_cast<unsigned char>(key)) + " ";
        } else if (kind == event_periodic) {
            ++received.ticks;
        }
        draw_fixed_picture(display, received);
    }
    return 0;
}
