// Keys: whatever the user types appears in the window. Backspace (8) takes the last
// character back and Enter (13) starts a new line. Ctrl with a letter is a Run menu
// shortcut (Ctrl+Q quits) and never reaches the program.
#include <tavro/display.h>

#include <string>

int application_main()
{
    Display display;
    std::string typed;
    for (;;) {
        display.clear(COLOUR_CHALK);
        display.draw_text(-280, 225, "Type something:", COLOUR_NAVY_BLUE, 12);
        // (x, y) is the lower-left of the text's first line; a newline starts a line below.
        display.draw_text(-280, 190, (typed + "_").c_str(), COLOUR_BLACK, 16);

        int x = 0;
        int y = 0;
        char key = 0;
        const int event = display.wait_for_event(x, y, key);
        if (event == event_quit) {
            return 0;
        }
        if (event != event_keyboard) {
            continue;
        }
        if (key == 8) {
            if (!typed.empty()) {
                typed.pop_back();
            }
        } else if (key == 13) {
            typed += '\n';
        } else {
            typed += key;
        }
    }
}
