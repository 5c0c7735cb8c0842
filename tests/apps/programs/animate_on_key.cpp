// A student's program that reads its circle's radius from radius.txt in its working folder and
// starts animating when the key a is typed: a scripted run must end with its script all the same,
// in the folder it was started in.
#include <tavro/display.h>

#include <cstdio>

int application_main()
{
    int radius = 10;
    if (std::FILE* file = std::fopen("radius.txt", "r")) {
        if (std::fscanf(file, "%d", &radius) != 1) {
            radius = 10;
        }
        std::fclose(file);
    }
    Display display;
    for (;;) {
        display.clear(COLOUR_WHITE);
        display.draw_circle(0, 0, radius, COLOUR_RED);
        int x = 0;
        int y = 0;
        char key = 0;
        const int event = display.wait_for_event(x, y, key);
        if (event == event_quit) {
            return 0;
        }
        if (event == event_keyboard && key == 'a') {
            display.set_animation_mode(2);
        }
    }
}
