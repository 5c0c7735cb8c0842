// The "&Run" menu: its items and the commands they (and the Ctrl shortcuts) give.
#pragma once

#include "platform.h"

namespace tavro {

constexpr int RUN_MENU_ITEM_COUNT = 16;
extern const tavro::MenuItem run_menu_items[RUN_MENU_ITEM_COUNT];

enum RunCommand {
    COMMAND_ANIMATE = 1,
    COMMAND_HALT = 2,
    COMMAND_ONE_FRAME = 3,
    COMMAND_LOGGING = 4,
    COMMAND_RECORD = 5,
    COMMAND_PLAYBACK = 6,
    COMMAND_PLAY_ONE = 7,
    COMMAND_QUIT = 8,
    COMMAND_NONE = 9,  // the grayed lines about the package, which give no command
};

void build_run_menu();
// The only way to the menu's check marks, of "&Logging", "&Record Script" and "&Playback Script".
void set_check_mark(int id, bool checked);
// Carries out the command with this identifier; any other identifier does nothing.
void run_command(int id);
// The command of a Ctrl+letter shortcut (virtual key 65..90), or 0.
int shortcut_command(int virtual_key);

}  // namespace tavro
