// Opening and closing the one display of the process, and the process entry.
#pragma once

// The four start-up arguments of the process entry, kept in the session for the Display constructor.
struct StartArguments {
    void* instance = nullptr;
    void* previous_instance = nullptr;
    const char* command_line = nullptr;
    int show_command = 1;  // shown normally, also for a Display made before any process entry
};

// Defined by each host's process entry (main, WinMain). The program libraries have the linker
// look for it, so their entry is always linked: a program that defines its own main fails to
// link, with the application_main it lacks named, instead of quietly bypassing the library.
extern "C" const int tavro_program_entry;

int open_display(void* instance, void* previous_instance, const char* command_line, int show_command);
int close_display();

// Every host's entry calls this with its four start-up arguments: they are kept,
// the application's main routine runs, and the process ends with status 0.
int process_entry(void* instance, void* previous_instance, const char* command_line, int show_command);
// The same, returning what the application's main routine returned (the render entry's status).
int run_application_entry(void* instance, void* previous_instance, const char* command_line, int show_command);
