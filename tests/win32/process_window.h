// Finds a process's own top-level window. FindWindow would search the whole Wine
// session, where other programs (a user's city.exe, one left by a killed run) may
// show windows of the same class and title, and return whichever lies on top.
#pragma once

#include <windows.h>

// The shown window of process_id with this class (any when null) and title, or null. A dialog is
// shown once its controls are made, so they can be read as soon as it is found.
HWND process_window(DWORD process_id, const char* class_name, const char* title);
