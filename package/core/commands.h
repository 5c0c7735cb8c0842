// The Run menu's command identifiers: the menu gives them, and the modules whose modes they
// switch set the check marks of theirs by them.
#pragma once

namespace tavro {

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

}  // namespace tavro
