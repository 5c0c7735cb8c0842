// Returns at once, without making a Display.
#include <tavro/display.h>

int application_main() { return 0; }
