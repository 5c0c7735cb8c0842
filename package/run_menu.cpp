#include "run_menu.h"

#include "package_state.h"
#include "script.h"
#include <tavro/version.h>

namespace tavro {

const tavro::MenuItem run_menu_items[RUN_MENU_ITEM_COUNT] = {
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

void build_run_menu() { tavro::platform_host().build_menu("&Run", run_menu_items, RUN_MENU_ITEM_COUNT); }

void set_check_mark(int id, bool checked) { tavro::platform_host().check_menu_item(id, checked); }

namespace {

void toggle_recording()
{
    if (package_state.script.recording) {
        stop_recording();
    } else {
        start_recording();
    }
    set_check_mark(COMMAND_RECORD, package_state.script.recording);
}

void toggle_playback()
{
    if (package_state.script.playback) {
        end_playback();
    } else {
        package_state.run.animate = false;
        package_state.run.single_step = false;
        start_playback();
    }
    set_check_mark(COMMAND_PLAYBACK, package_state.script.playback);
}

}  // namespace

void run_command(int id)
{
    RunMode& run = package_state.run;
    switch (id) {
    case COMMAND_ANIMATE:
        run.animate = true;
        break;
    case COMMAND_HALT:
        run.animate = false;
        break;
    case COMMAND_ONE_FRAME:
        run.animate = false;
        run.single_step = true;
        break;
    case COMMAND_LOGGING:
        run.logging = !run.logging;
        set_check_mark(COMMAND_LOGGING, run.logging);
        break;
    case COMMAND_RECORD:
        toggle_recording();
        break;
    case COMMAND_PLAYBACK:
        toggle_playback();
        break;
    case COMMAND_PLAY_ONE:
        request_play_one();
        run.animate = false;
        run.single_step = false;
        break;
    case COMMAND_QUIT:
        tavro::platform_host().post_quit(0);
        break;
    default:
        break;
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
