// The picture program in real windows.
#include "session.h"

int main() { return process_entry(nullptr, nullptr, "", 1); }
