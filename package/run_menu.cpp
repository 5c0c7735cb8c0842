#include "run_menu.h"

#include "package_state.h"
#include "script.h"

using tavro::MENU_CHECKED;
using tavro::MENU_GRAYED;
using tavro::MENU_SEPARATOR;
using tavro::MENU_STRING;

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
    {"TAVRO Graphics, a package for teaching", 9, MENU_GRAYED},
    {"MAC: mac-help@tavro-city.example", 9, MENU_GRAYED},
    {"WINDOWS: windows-help@tavro-city.example", 9, MENU_GRAYED},
    {"UPDATES: updates@tavro-city.example", 9, MENU_GRAYED},
};

void build_run_menu()
{
    tavro::platform_host().build_menu("&Run", run_menu_items, RUN_MENU_ITEM_COUNT);
    package_state.run_menu = true;
}

namespace {

void set_check(int id, bool checked) { tavro::platform_host().check_menu_item(id, checked); }

void toggle_recording()
{
    PackageState& s = package_state;
    if (s.recording) {
        s.recording = false;
        set_check(COMMAND_RECORD, false);
        if (s.periodic_count > 0) {
            write_script_line(event_periodic, 0, 0, 0);
        }
        s.periodic_count = 0;
        close_script_file();
    } else {
        s.recording = true;
        set_check(COMMAND_RECORD, true);
    }
}

void toggle_playback()
{
    PackageState& s = package_state;
    if (s.playback) {
        s.playback = false;
        set_check(COMMAND_PLAYBACK, false);
        close_script_file();
    } else {
        set_check(COMMAND_PLAYBACK, true);
        s.animate = false;
        s.single_step = false;
        s.playback = true;
    }
}

}  // namespace

void run_command(int id)
{
    PackageState& s = package_state;
    switch (id) {
    case COMMAND_ANIMATE:
        s.animate = true;
        break;
    case COMMAND_HALT:
        s.animate = false;
        break;
    case COMMAND_ONE_FRAME:
        s.animate = false;
        s.single_step = true;
        break;
    case COMMAND_LOGGING:
        s.logging = !s.logging;
        set_check(COMMAND_LOGGING, s.logging);
        break;
    case COMMAND_RECORD:
        toggle_recording();
        break;
    case COMMAND_PLAYBACK:
        toggle_playback();
        break;
    case COMMAND_PLAY_ONE:
        s.play_one = true;
        s.animate = false;
        s.single_step = false;
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
