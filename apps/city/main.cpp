// The desktop program: the city in real windows, through the FLTK host.
#include "session.h"

int main() { return process_entry(nullptr, nullptr, "", 1); }
