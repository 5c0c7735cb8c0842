// A program that defines main instead of application_main: it must not link.
#include <tavro/display.h>

int main()
{
    Display display;
    return 0;
}
