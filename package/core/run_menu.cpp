#include "core/run_menu.h"

#include <tavro/version.h>

namespace tavro {

const MenuItem run_menu_items[RUN_MENU_ITEM_COUNT] = {
    {"&Animate\tCtrl+A", COMMAND_ANIMATE, MENU_STRING},
    {"&Halt animation\tCtrl+H", COMMAND_HALT, MENU_STRING},
    {"Advance one &frame\tCtrl+F", COMMAND_ONE_FRAME, MENU_STRING},
    {nullptr, 0, MENU_SEPARATOR},
    {"&Logging\tCtrl+L", COMMAND_LOGGING, MENU_STRING | MENU_CHECKED},
    {nullptr, 0, MENU_SEPARATOR},
    {"&Record Script\tCtrl+R", COMMAND_RECORD, MENU_STRING},
    {"&Playback Script\tCtrl+P", COMMAND_PLAYBACK, MENU_STRING},
    {"Play &One Script\tCtrl+O", COMMAND_PLAY_ONE, MENU_STRING},
    {nullptr, 0, MENU_SEPARATOR},
    {"&Quit\tCtrl+Q", COMMAND_QUIT, MENU_STRING},
    {nullptr, 0, MENU_SEPARATOR},
    {"TAVRO Graphics " TAVRO_VERSION_STRING ", a package for teaching", COMMAND_NONE, MENU_GRAYED},
    {"MAC: mac-help@tavro-city.example", COMMAND_NONE, MENU_GRAYED},
    {"WINDOWS: windows-help@tavro-city.example", COMMAND_NONE, MENU_GRAYED},
    {"UPDATES: updates@tavro-city.example", COMMAND_NONE, MENU_GRAYED},
};

void RunMenu::build() const { platform_host().build_menu("&Run", run_menu_items, RUN_MENU_ITEM_COUNT); }

void RunMenu::run_command(int id)
{
    switch (id) {
    case COMMAND_ANIMATE:
        run_.animate();
        break;
    case COMMAND_HALT:
        run_.stop_animating();
        break;
    case COMMAND_ONE_FRAME:
        run_.advance_one_frame();
        break;
    case COMMAND_LOGGING:
        run_.switch_logging();
        break;
    case COMMAND_RECORD:
        script_.switch_recording();
        break;
    case COMMAND_PLAYBACK:
        if (!script_.playing()) {
            run_.halt();
        }
        script_.switch_playback();
        break;
    case COMMAND_PLAY_ONE:
        script_.request_play_one();
        run_.halt();
        break;
    case COMMAND_QUIT:
        platform_host().post_quit(0);
        break;
    default:
        break;
    }
}

void RunMenu::key_down(int virtual_key)
{
    if (virtual_key == VIRTUAL_KEY_CONTROL) {
        ctrl_down_ = true;
    } else if (ctrl_down_) {
        run_command(shortcut_command(virtual_key));
    }
}

void RunMenu::key_up(int virtual_key)
{
    if (virtual_key == VIRTUAL_KEY_CONTROL) {
        ctrl_down_ = false;
    }
}

int shortcut_command(int virtual_key)
{
    switch (virtual_key) {
    case 'A':
        return COMMAND_ANIMATE;
    case 'H':
        return COMMAND_HALT;
    case 'F':
        return COMMAND_ONE_FRAME;
    case 'L':
        return COMMAND_LOGGING;
    case 'R':
        return COMMAND_RECORD;
    case 'P':
        return COMMAND_PLAYBACK;
    case 'O':
        return COMMAND_PLAY_ONE;
    case 'Q':
        return COMMAND_QUIT;
    default:
        return 0;
    }
}

}  // namespace tavro
