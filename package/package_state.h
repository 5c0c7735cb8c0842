// The package-wide state record: one instance for the life of the process.
#pragma once

#include <tavro/display.h>
#include "platform.h"
#include "text_window.h"

#include <array>
#include <cstdio>
#include <memory>

struct ScriptFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using ScriptFile = std::unique_ptr<std::FILE, ScriptFileCloser>;

// Nonzero once the window has been created.
using WindowHandle = int;

struct PackageState {
    // The four start-up arguments of the process entry, kept for the Display constructor.
    void* start_instance = nullptr;
    void* start_previous_instance = nullptr;
    const char* start_command_line = nullptr;
    int start_show_command = 1;  // shown normally, also for a Display made before any process entry

    bool display_taken = false;
    WindowHandle graphics_window = 0;
    WindowHandle text_window = 0;
    bool window_dc = false;          // the graphics window's drawing context is held
    tavro::Canvas* image = nullptr;  // the off-screen image, owned by the host
    int image_dirty = 1;
    int origin_x = 0;
    int origin_y = 0;
    bool run_menu = false;  // the "&Run" menu has been built

    bool logging = true;
    bool animate = false;
    bool single_step = false;
    bool forced_quit = false;
    bool ctrl_down = false;
    bool tick_seen = false;

    int event_kind = event_none;
    int event_x = 0;
    int event_y = 0;
    char event_key = 0;

    bool recording = false;
    bool playback = false;
    bool play_one = false;
    int periodic_count = 0;
    ScriptFile script_file;
    bool script_file_writing = false;  // the open script file was opened for recording

    std::array<std::unique_ptr<tavro::TextBlock>, TEXT_HISTORY_SIZE> text_history;
    int history_first = -1;
    int history_next = 0;
};

extern PackageState package_state;
