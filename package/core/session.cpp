#include "core/session.h"

namespace tavro {

namespace {

constexpr int FRAME_TIMER_ID = 2;

}  // namespace

SessionStorage session_storage;

void renew_session() { session_storage.session.emplace(); }

void Session::open_display()
{
    Host& host = platform_host();
    const int screen_width = host.screen_width();
    const int screen_height = host.screen_height();
    run.halt();
    windows.open_graphics_window(host);
    host.create_text_window(0, (2 * screen_height) / 3 + 1, screen_width, screen_height / 3);
    text.opened();
    windows.take_image(host);
    host.show_window(WindowId::text, start_arguments.show_command);
    host.show_window(WindowId::graphics, start_arguments.show_command);
    host.start_timer(FRAME_TIMER_ID, TICK_PERIOD_MS);
}

void Session::close_display()
{
    windows.release_drawing_context(platform_host());
    script.close_file();
}

}  // namespace tavro
