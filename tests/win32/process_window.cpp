#include "process_window.h"

#include <cstring>

namespace {

struct Search {
    DWORD process_id;
    const char* class_name;
    const char* title;
    HWND found;
};

BOOL CALLBACK match(HWND window, LPARAM data)
{
    Search& search = *reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char class_name[64] = {};
    char title[64] = {};
    GetClassNameA(window, class_name, sizeof class_name);
    GetWindowTextA(window, title, sizeof title);
    if (owner == search.process_id && IsWindowVisible(window) && std::strcmp(title, search.title) == 0 &&
        (search.class_name == nullptr || std::strcmp(class_name, search.class_name) == 0)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND process_window(DWORD process_id, const char* class_name, const char* title)
{
    Search search{process_id, class_name, title, nullptr};
    EnumWindows(match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
