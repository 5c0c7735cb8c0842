// Desktop host (FLTK): the process entry of a desktop program. Linking the desktop library
// gives the program this main, so a program is its application_main and nothing else.
#include "seam/host.h"
#include "core/control.h"

extern "C" const int tavro_program_entry = 1;

int main() { return tavro::process_entry(nullptr, nullptr, "", tavro::SHOW_NORMAL); }
