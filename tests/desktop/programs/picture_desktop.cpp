// The picture program in real windows.
#include "core/control.h"

using namespace tavro;

int main() { return process_entry(nullptr, nullptr, "", 1); }
