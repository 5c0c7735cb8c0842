// Win32 host: the process entry of a Windows GUI program. The four start-up
// arguments go to the package's process entry, which runs the application.
#include "core/control.h"

#include <windows.h>

extern "C" const int tavro_program_entry = 1;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_command)
{
    return tavro::process_entry(instance, previous_instance, command_line, show_command);
}
