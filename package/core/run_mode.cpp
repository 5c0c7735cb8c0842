#include "core/run_mode.h"

#include "core/commands.h"

namespace tavro {

void RunMode::set(int code)
{
    switch (code) {
    case RUN_MODE_HALT:
        halt();
        break;
    case RUN_MODE_ONE_FRAME:
        single_step_ = true;
        break;
    case RUN_MODE_ANIMATE:
        animate_ = true;
        break;
    case RUN_MODE_QUIT:
        forced_quit_ = true;
        break;
    default:
        break;
    }
}

void RunMode::set_logging(bool on)
{
    logging_ = on;
    platform_host().check_menu_item(COMMAND_LOGGING, on);
}

}  // namespace tavro
