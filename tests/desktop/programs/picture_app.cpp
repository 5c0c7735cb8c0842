// A test program on the package: a fixed picture with the clicks, typed
// characters and animation ticks received so far. Its pixels depend on nothing
// else, so the desktop and the headless hosts must show the same picture for
// the same input. It starts halted and runs until quit.
#include <tavro/display.h>

#include <string>
#include <utility>
#include <vector>

namespace {

struct Received {
    std::vector<std::pair<int, int>> clicks;
    std::string keys;
    int ticks = 0;
};

void draw_picture(Display& display, const Received& received)
{
    display.clear(COLOUR_WHITE);
    display.draw_rectangle(-280, 120, -160, 230, COLOUR_BLUE, 0);
    display.draw_rectangle(-140, 120, -20, 230, COLOUR_ORANGE, 3);
    display.draw_oval(0, 120, 150, 230, COLOUR_SEA_GREEN, 0);
    display.draw_circle(220, 175, 50, COLOUR_PURPLE);
    display.draw_triangle(-280, -20, -160, -20, -220, 90, COLOUR_GOLD, 0);
    display.draw_line(-140, -20, 140, 90, COLOUR_RED, 1);
    display.draw_line(-140, 90, 140, -20, COLOUR_NAVY_BLUE, 4);
    for (int colour = 0; colour < COLOUR_COUNT; ++colour) {
        display.draw_rectangle(-290 + colour * 24, -60, -270 + colour * 24, -40, colour, 0);
    }
    display.draw_text(-280, -90, "TAVRO picture: @home & away", COLOUR_BLACK, 16);
    plot_text(COLOUR_BLACK, -280, -130, 12, "ticks %d keys %s", received.ticks, received.keys.c_str());
    for (const auto& [x, y] : received.clicks) {
        display.draw_circle(x, y, 6, COLOUR_RED);
        display.draw_pixel(x, y, COLOUR_BLACK);
    }
}

}  // namespace

int application_main()
{
    Display display;
    display.set_animation_mode(0);
    Received received;
    draw_picture(display, received);
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
        draw_picture(display, received);
    }
    return 0;
}
