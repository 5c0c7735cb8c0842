// Opening and closing the one display of the process. The process entry is declared in control.h,
// which hosts include.
#pragma once

#include "control.h"

namespace tavro {

// The four start-up arguments of the process entry, kept in the session for the Display constructor.
struct StartArguments {
    void* instance = nullptr;
    void* previous_instance = nullptr;
    const char* command_line = nullptr;
    int show_command = 1;  // shown normally, also for a Display made before any process entry
};

int open_display(void* instance, void* previous_instance, const char* command_line, int show_command);
int close_display();

}  // namespace tavro
