// The picture program in real windows.
#include "session.h"

using namespace tavro;

int main() { return process_entry(nullptr, nullptr, "", 1); }
