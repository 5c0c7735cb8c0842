#include "session.h"

#include "package_state.h"
#include "platform.h"
#include "script.h"
#include "session_state.h"

namespace tavro {

namespace {
constexpr int FRAME_TIMER_ID = 2;
}  // namespace

int open_display(void* instance, void* /*previous_instance*/, const char* /*command_line*/, int show_command)
{
    DisplayWindows& windows = package_state.windows;
    tavro::Host& host = tavro::platform_host();
    const int screen_width = host.screen_width();
    const int screen_height = host.screen_height();
    package_state.run.animate = false;
    package_state.run.single_step = false;

    // The outer size asked for is the image's.
    host.create_graphics_window(0, 0, tavro::Canvas::WIDTH, tavro::Canvas::HEIGHT);
    windows.graphics_window = 1;
    host.create_text_window(0, (2 * screen_height) / 3 + 1, screen_width, screen_height / 3);
    windows.text_window = 1;
    session_state().start_arguments.instance = instance;

    host.acquire_window_dc();
    session_state().window_dc = true;
    windows.image = &host.image();

    host.show_window(tavro::WindowId::text, show_command);
    host.show_window(tavro::WindowId::graphics, show_command);
    host.start_timer(FRAME_TIMER_ID, tavro::TICK_PERIOD_MS);
    return 1;
}

int close_display()
{
    bool& window_dc = session_state().window_dc;
    if (window_dc) {
        tavro::platform_host().release_window_dc();
        window_dc = false;
    }
    close_script_file();
    return 1;
}

}  // namespace tavro
