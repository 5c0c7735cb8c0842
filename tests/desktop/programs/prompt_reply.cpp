// A test program that asks for a reply in the package's dialog and prints the
// dialog's result and the reply as "RESULT [REPLY]".
#include <tavro/display.h>
#include "core/control.h"

#include <cstdio>

using namespace tavro;

int application_main()
{
    Display display;
    char reply[PROMPT_REPLY_SIZE] = {};
    const int result = prompt_dialog("Type a reply", reply);
    std::printf("%d [%s]\n", result, reply);
    return 0;
}

int main() { return process_entry(nullptr, nullptr, "", 1); }
