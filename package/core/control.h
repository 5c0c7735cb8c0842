// What a host or a tool may ask of the session and read from it, by name: the render entry,
// the web page and the tests' driver steer a run through this, never through the package's
// own state or the Run menu's identifiers.
#pragma once

#include "core/dialog_answers.h"
#include "core/event_wait.h"
#include "seam/host.h"

#include <string>

// Defined by each host's process entry (main, WinMain). The program libraries have the linker
// look for it, so their entry is always linked: a program that defines its own main fails to
// link, with the application_main it lacks named, instead of quietly bypassing the library.
extern "C" const int tavro_program_entry;

namespace tavro {

// Every host's entry calls this with its four start-up arguments: they are kept,
// the application's main routine runs, and the process ends with status 0.
int process_entry(void* instance, void* previous_instance, const char* command_line, int show_command);
// The same, returning what the application's main routine returned (the render entry's status).
int run_application_entry(void* instance, void* previous_instance, const char* command_line, int show_command);

}  // namespace tavro

namespace tavro::control {

// Requests a host queues with its input: the wait that takes one carries it out as the Run
// menu's command, in order with the rest of the input.
// Switches logging; the Display starts with it off, so taken first it switches logging on.
Message switch_logging();
// Starts playback of the playback file from its start, or stops a playback that is on.
Message switch_playback();
Message quit();
// Whether message asks to quit (the Run menu's Quit).
bool asks_to_quit(const Message& message);

// The file playback reads: a tool's script, read where it is whatever the program's working folder.
void set_playback_file(const std::string& path);
// Back to the script file a recording writes.
void reset_playback_file();
// The script file's name in messages.
const char* script_file_name();

// Says in the text window that the dialog found no answer given ahead left: the line a transcript shows.
void say_no_answer_left();

// Lets a tool watch the waits (see WaitObserver).
void observe_waits(WaitObserver observer);

// The value of named colour index (0 to COLOUR_COUNT - 1): what a picture's palette holds.
Rgb named_colour(int index);

// --- the run's counters ---
// Drawing calls into the image so far: whoever takes pictures of it can tell whether it changed.
long long drawings();
bool playback_on();
// True once a recording could not write or close its file: lines were lost.
bool recording_lost_lines();

}  // namespace tavro::control
