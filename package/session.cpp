#include "session.h"

#include "package_state.h"
#include "platform.h"
#include "script.h"

namespace {
constexpr int GRAPHICS_WINDOW_WIDTH = 601;
constexpr int GRAPHICS_WINDOW_HEIGHT = 540;
constexpr int FRAME_TIMER_ID = 2;
constexpr int FRAME_TIMER_PERIOD_MS = 100;
}  // namespace

int open_display(void* instance, void* /*previous_instance*/, const char* /*command_line*/, int show_command)
{
    PackageState& s = package_state;
    tavro::Host& host = tavro::platform_host();
    const int screen_width = host.screen_width();
    const int screen_height = host.screen_height();
    s.animate = false;
    s.single_step = false;

    host.create_graphics_window(0, 0, GRAPHICS_WINDOW_WIDTH, GRAPHICS_WINDOW_HEIGHT);
    s.graphics_window = 1;
    host.create_text_window(0, (2 * screen_height) / 3 + 1, screen_width, screen_height / 3);
    s.text_window = 1;
    s.start_instance = instance;

    host.acquire_window_dc();
    s.window_dc = true;
    s.image = &host.image();

    host.show_window(tavro::WindowId::text, show_command);
    host.show_window(tavro::WindowId::graphics, show_command);
    host.start_timer(FRAME_TIMER_ID, FRAME_TIMER_PERIOD_MS);
    return 1;
}

int close_display()
{
    PackageState& s = package_state;
    if (s.window_dc) {
        tavro::platform_host().release_window_dc();
        s.window_dc = false;
    }
    close_script_file();
    return 1;
}
