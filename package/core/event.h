// An event as the wait returns it: what the window handlers and the script player assemble.
#pragma once

#include <tavro/display.h>

namespace tavro {

struct Event {
    int kind = event_none;
    int x = 0;
    int y = 0;
    char key = 0;
};

}  // namespace tavro
