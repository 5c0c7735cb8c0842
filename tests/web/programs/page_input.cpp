// Writes what each wait returns to the text window ("click X Y", "key CODE"). Key n asks for a name
// in the dialog ("name [REPLY]"), w writes a line of 300 characters, t the clock ("time SECONDS"),
// b draws frames from then on without ever waiting, x throws an exception it does not catch.
// After event_quit it returns 3.
#include "core/session.h"
#include "core/text_window.h"
#include <tavro/display.h>

#include <stdexcept>
#include <string>

using namespace tavro;

namespace {

[[noreturn]] void draw_without_waiting(Display& display)
{
    for (int frame = 0;; ++frame) {
        display.clear(COLOUR_WHITE);
        display.draw_circle(frame % 500 - 250, 0, 20, COLOUR_RED);
    }
}

}  // namespace

int application_main()
{
    Display display;
    display.clear(COLOUR_WHITE);
    for (;;) {
        int x = 0;
        int y = 0;
        char key = 0;
        const int kind = display.wait_for_event(x, y, key);
        if (kind == event_quit) {
            return 3;
        }
        if (kind == event_mouse) {
            session().text.printf("click %d %d\n", x, y);
        } else if (kind != event_keyboard) {
            continue;
        } else if (key == 'n') {
            char reply[PROMPT_REPLY_SIZE] = {};
            prompt_dialog("Your name?", reply);
            session().text.printf("name [%s]\n", reply);
        } else if (key == 'w') {
            session().text.printf("%s\n", std::string(300, 'w').c_str());
        } else if (key == 't') {
            session().text.printf("time %lld\n", tavro_time());
        } else if (key == 'b') {
            draw_without_waiting(display);
        } else if (key == 'x') {
            throw std::runtime_error("given up");
        } else {
            session().text.printf("key %d\n", key);
        }
    }
}
