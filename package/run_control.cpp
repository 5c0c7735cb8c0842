#include "run_control.h"

#include "package_state.h"
#include "platform.h"
#include "run_menu.h"

namespace {
constexpr int SHOW_WINDOW = 5;
constexpr int HIDE_WINDOW = 0;
}  // namespace

int set_run_mode(int code)
{
    PackageState& s = package_state;
    if (!s.graphics_window) {
        return 0;
    }
    switch (code) {
    case 0:
        s.animate = false;
        s.single_step = false;
        break;
    case 1:
        s.single_step = true;
        break;
    case 2:
        s.animate = true;
        break;
    case 5:
        s.forced_quit = true;
        break;
    default:
        break;
    }
    return 1;
}

int set_logging(bool on)
{
    PackageState& s = package_state;
    if (!s.graphics_window) {
        return 0;
    }
    s.logging = on;
    tavro::platform_host().check_menu_item(COMMAND_LOGGING, on);
    if (on) {
        show_text_window(true);
    }
    return 1;
}

void show_text_window(bool on)
{
    tavro::platform_host().show_window(tavro::WindowId::text, on ? SHOW_WINDOW : HIDE_WINDOW);
}
