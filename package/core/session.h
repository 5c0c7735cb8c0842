// The process's one session: every module of the core, held by value, each owning its state.
// Only the package's entry points (the Display, the drawing calls, the window handlers, the
// controls a tool uses) reach the session; the modules are handed the ones they work with.
#pragma once

#include "core/event_wait.h"
#include "core/run_menu.h"
#include "core/run_mode.h"
#include "core/script.h"
#include "core/text_block.h"
#include "core/text_window.h"
#include "core/windows.h"

#include <optional>

namespace tavro {

// The four start-up arguments of the process entry, kept for the Display constructor.
struct StartArguments {
    void* instance = nullptr;
    void* previous_instance = nullptr;
    const char* command_line = nullptr;
    int show_command = 1;  // shown normally, also for a Display made before any process entry
};

class Session {
public:
    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Opens the windows, takes the image and starts the frame timer; the animation is halted.
    void open_display();
    // Releases the drawing context and closes the script file.
    void close_display();

    Console text;
    Windows windows;
    RunMode run;
    Script script{text};
    EventWait wait{windows, run, script};
    RunMenu menu{run, script};

    // The copy of a drawn text that the canvas reads, in the host's memory: one block for them all.
    ReusedTextBlock drawn_text;

    StartArguments start_arguments;
    // Set by the first Display and never cleared: a second one is refused even after the first is gone.
    bool display_taken = false;
};

// Made before the program starts, in storage of its own, so that the drawing path reaches each
// module at a fixed address (a snow frame draws 10,000 times). It is never destroyed: a host's
// window procedure may still run while the process ends (Wine delivers messages then), and must
// find a live session.
union SessionStorage {
    SessionStorage() : session(std::in_place) {}
    ~SessionStorage() {}
    std::optional<Session> session;
};
extern SessionStorage session_storage;
inline Session& session() { return *session_storage.session; }
// A fresh session, as a new process has it: the tests start each case with one. In a program the
// session is never replaced, so a second Display stays refused.
void renew_session();

}  // namespace tavro
