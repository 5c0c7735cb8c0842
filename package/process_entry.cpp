#include "package_state.h"
#include "session.h"
#include <tavro/display.h>

int run_application_entry(void* instance, void* previous_instance, const char* command_line, int show_command)
{
    PackageState& s = package_state;
    s.start_instance = instance;
    s.start_previous_instance = previous_instance;
    s.start_command_line = command_line;
    s.start_show_command = show_command;
    return application_main();
}

int process_entry(void* instance, void* previous_instance, const char* command_line, int show_command)
{
    run_application_entry(instance, previous_instance, command_line, show_command);
    return 0;
}
