// Opening and closing the one display of the process, and the process entry.
#pragma once

int open_display(void* instance, void* previous_instance, const char* command_line, int show_command);
int close_display();

// Every host's entry calls this with its four start-up arguments: they are kept,
// the application's main routine runs, and the process ends with status 0.
int process_entry(void* instance, void* previous_instance, const char* command_line, int show_command);
// The same, returning what the application's main routine returned (the render entry's status).
int run_application_entry(void* instance, void* previous_instance, const char* command_line, int show_command);
