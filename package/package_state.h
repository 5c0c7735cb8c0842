// The package's state that several modules share, in one part per concern. It is a part of the
// session's one object (session_state.h), which also holds the facts a single module keeps.
#pragma once

#include <tavro/display.h>
#include "platform.h"

namespace tavro {

// Nonzero once the window has been created.
using WindowHandle = int;

// The windows and the off-screen image: opened by the session, drawn into by the primitives,
// shown by the event wait and the graphics window's repaint.
struct DisplayWindows {
    WindowHandle graphics_window = 0;
    WindowHandle text_window = 0;
    tavro::Canvas* image = nullptr;  // owned by the host
    int image_dirty = 1;
    // Drawing calls into the image so far: whoever takes pictures of it can tell whether it changed.
    long long drawings = 0;
    // The centre of the graphics window's client area: mouse positions and drawing are relative to it.
    int origin_x = 0;
    int origin_y = 0;
};

// What the wait produces and whether drawing calls are logged: set by the Run menu's commands
// and the application's animation mode, read by the wait and the primitives.
struct RunMode {
    bool logging = true;  // until the Display is made
    bool animate = false;
    bool single_step = false;  // one periodic event is owed
    bool forced_quit = false;
};

// The event the wait is assembling, written by the window handlers and the script player.
struct PendingEvent {
    int kind = event_none;
    int x = 0;
    int y = 0;
    char key = 0;
    bool tick_seen = false;  // a timer tick arrived since the periodic event was put in wait
};

// Recording and playback: switched by the Run menu, served by the script module in the wait.
struct ScriptModes {
    bool recording = false;
    bool playback = false;
    bool play_one = false;
    // Recording: periodic events seen since the last line; playing: those of the run still owed.
    int periodic_count = 0;
};

struct PackageState {
    DisplayWindows windows;
    RunMode run;
    PendingEvent event;
    ScriptModes script;
};

// An object of its own beside the rest of the session (session_state.h), so that the drawing
// path reaches it directly: a snow frame reads it 10,000 times. A test's reset renews both.
extern PackageState package_state;

}  // namespace tavro
