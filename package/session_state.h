// Everything the package knows about the process's one session: the parts that several modules
// share (package_state, an object of its own for the drawing path's sake) and, in one object
// here, the facts a single module keeps. Each module reaches its part through session_state();
// nothing in a program replaces either, so a second Display stays refused for the life of the
// process.
#pragma once

#include "control.h"
#include "support/file_handle.h"
#include "package_state.h"
#include "session.h"
#include "text_window.h"

#include <string>

namespace tavro {

extern const char* const SCRIPT_FILE_NAME;

// The script module's file. One handle serves both recording and playback: whichever opens
// the file first decides its mode.
struct ScriptFileState {
    FileHandle file;
    bool writing = false;  // the open file was opened for recording
    bool failed = false;   // a write to the open file failed: said once, nothing more written
    bool lines_lost = false;
    std::string playback_file = SCRIPT_FILE_NAME;
};

struct SessionState {
    // Set by the first Display and never cleared: a second one is refused even after the first is gone.
    bool display_taken = false;
    // The graphics window's drawing context is held from opening until close_display.
    bool window_dc = false;
    StartArguments start_arguments;
    ScriptFileState script_file;
    // Held Ctrl turns letter keys into the Run menu's shortcuts; set and cleared in either window.
    bool ctrl_down = false;
    TextHistory text_history;
    tavro::control::WaitObserver wait_observer;
};

SessionState& session_state();

}  // namespace tavro
