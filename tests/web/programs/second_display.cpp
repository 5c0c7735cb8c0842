// Opens a second Display, which the package refuses with its dialog, ending the program with -1.
#include <tavro/display.h>

int application_main()
{
    Display first;
    first.clear(COLOUR_WHITE);
    Display second;
    return 0;
}
