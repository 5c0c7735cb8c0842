// city.exe started as its own process: its windows come up, it takes clicks
// while animating, and Ctrl+Q ends it with exit status 0.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The executable's Linux path as Wine sees it (drive Z: is the root), or a Windows path unchanged.
std::string windows_path(std::string path)
{
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
    }
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return path;
}

HWND wait_for_window(const char* class_name, const char* title, DWORD limit_ms)
{
    for (DWORD waited = 0; waited < limit_ms; waited += 100) {
        if (HWND window = FindWindowA(class_name, title)) {
            return window;
        }
        Sleep(100);
    }
    return nullptr;
}

}  // namespace

TEST(CityExe, WindowsUpClicksThenCtrlQExitsWithZero)
{
    std::string command_line = "\"" + windows_path(CITY_EXE_PATH) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, &command_line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process))
        << command_line;
    HWND graphics = wait_for_window("DrawWndClass", "TAVRO Graphics", 20000);
    ASSERT_NE(graphics, nullptr);
    EXPECT_NE(wait_for_window("TextWndClass", "TAVRO Text", 5000), nullptr);

    // A second of animation, a click on the button that adds cars and one in the scene.
    Sleep(1000);
    EXPECT_TRUE(IsWindowVisible(graphics));
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    RECT client{};
    GetClientRect(graphics, &client);
    PostMessageA(graphics, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 2 - 275, client.bottom / 2 + 225));
    PostMessageA(graphics, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 2 + 100, client.bottom / 2 + 40));
    Sleep(500);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    PostMessageA(graphics, WM_KEYDOWN, VK_CONTROL, 0);
    PostMessageA(graphics, WM_KEYDOWN, 'Q', 0);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 20000), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    EXPECT_EQ(status, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
