// The city application's main routine: build the town, then wait, react and redraw until quit.
#include "city_loop.h"
#include <tavro/display.h>
#include "traffic_system.h"

#include <memory>

int application_main()
{
    Display display;
    display.clear(COLOUR_WHITE);
    display.set_animation_mode(animation_animate);
    auto traffic = std::make_unique<TrafficSystem>();
    auto city = std::make_unique<City>();
    start_city(*city, display, *traffic);
    while (!city->quit_requested) {
        int x = 0;
        int y = 0;
        char key = 0;
        switch (display.wait_for_event(x, y, key)) {
        case event_mouse:
            handle_click(*city, x, y);
            break;
        case event_periodic:
            periodic_tick(*city, *traffic);
            break;
        case event_quit:
            city->quit_requested = true;
            break;
        default:
            break;  // typed characters only redraw
        }
        draw_frame(*city, display, *traffic);
    }
    traffic.reset();
    return 0;
}
