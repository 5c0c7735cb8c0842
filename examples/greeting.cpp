// Greeting: asks for the user's name with the text-input dialog and greets them by it. Press n
// to be asked (again). In a headless run the replies come from --answer or --answers.
#include <tavro/display.h>

#include <string>

int application_main()
{
    Display display;
    std::string name;
    for (;;) {
        display.clear(COLOUR_ICE_BLUE);
        display.draw_text(-280, 225, "Press n to tell me your name", COLOUR_NAVY_BLUE, 12);
        if (!name.empty()) {
            display.draw_text(-200, 20, ("Hello, " + name + "!").c_str(), COLOUR_PURPLE, 36);
        }

        int x = 0;
        int y = 0;
        char key = 0;
        const int event = display.wait_for_event(x, y, key);
        if (event == event_quit) {
            return 0;
        }
        if (event == event_keyboard && key == 'n') {
            // The reply holds at most 255 characters and a terminator.
            char reply[PROMPT_REPLY_SIZE] = "";
            if (prompt_dialog("What is your name?", reply) == 1) {
                name = reply;  // an empty reply (Okay with nothing typed) forgets the name
            }
        }
    }
}
