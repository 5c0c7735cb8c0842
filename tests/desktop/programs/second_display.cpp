// A test program that opens a second Display, which the package refuses with
// its dialog and ends the process with status -1.
#include <tavro/display.h>
#include "core/control.h"

using namespace tavro;

int application_main()
{
    Display first;
    first.clear(COLOUR_WHITE);
    Display second;
    return 0;
}

int main() { return process_entry(nullptr, nullptr, "", 1); }
