#include "display.h"
#include "package_state.h"
#include "session.h"

int process_entry(void* instance, void* previous_instance, const char* command_line, int show_command)
{
    PackageState& s = package_state;
    s.start_instance = instance;
    s.start_previous_instance = previous_instance;
    s.start_command_line = command_line;
    s.start_show_command = show_command;
    application_main();
    return 0;
}
