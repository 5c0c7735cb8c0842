#include "core/control.h"
#include "core/session.h"
#include "support/fatal_failure.h"
#include <tavro/display.h>

namespace tavro {

int run_application_entry(void* instance, void* previous_instance, const char* command_line, int show_command)
{
    session().start_arguments = StartArguments{instance, previous_instance, command_line, show_command};
    return application_main();
}

int process_entry(void* instance, void* previous_instance, const char* command_line, int show_command)
{
    // Past here is the host's main or WinMain: an exception would end the program unexplained.
    without_exceptions([&] { run_application_entry(instance, previous_instance, command_line, show_command); });
    return 0;
}

}  // namespace tavro
