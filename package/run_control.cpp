#include "run_control.h"

#include "package_state.h"
#include "platform.h"
#include "run_menu.h"

namespace tavro {

int set_run_mode(int code)
{
    RunMode& run = package_state.run;
    if (!package_state.windows.graphics_window) {
        return 0;
    }
    switch (code) {
    case RUN_MODE_HALT:
        run.animate = false;
        run.single_step = false;
        break;
    case RUN_MODE_ONE_FRAME:
        run.single_step = true;
        break;
    case RUN_MODE_ANIMATE:
        run.animate = true;
        break;
    case RUN_MODE_QUIT:
        run.forced_quit = true;
        break;
    default:
        break;
    }
    return 1;
}

int set_logging(bool on)
{
    if (!package_state.windows.graphics_window) {
        return 0;
    }
    package_state.run.logging = on;
    set_check_mark(COMMAND_LOGGING, on);
    if (on) {
        show_text_window(true);
    }
    return 1;
}

void show_text_window(bool on)
{
    tavro::platform_host().show_window(tavro::WindowId::text, on ? tavro::SHOW_AS_IS : tavro::SHOW_HIDE);
}

}  // namespace tavro
