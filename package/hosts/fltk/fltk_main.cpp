// Desktop host (FLTK): the process entry of a desktop program. Linking the desktop library
// gives the program this main, so a program is its application_main and nothing else.
#include "session.h"

namespace {
constexpr int NORMAL_SHOW_COMMAND = 1;
}

int main() { return process_entry(nullptr, nullptr, "", NORMAL_SHOW_COMMAND); }
