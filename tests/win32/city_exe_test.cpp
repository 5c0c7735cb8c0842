// Programs started as processes of their own: city.exe's windows come up, it
// takes clicks while animating, and Ctrl+Q ends it with exit status 0; a
// second Display shows the error dialog and ends the process with status -1.
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

class Process {
public:
    explicit Process(const char* path)
    {
        std::string command_line = "\"" + windows_path(path) + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(nullptr, &command_line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &info_) != FALSE;
    }
    ~Process()
    {
        if (started_) {
            if (running()) {
                TerminateProcess(info_.hProcess, 1);
            }
            CloseHandle(info_.hThread);
            CloseHandle(info_.hProcess);
        }
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool started() const { return started_; }
    bool running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    // The exit status once it has ended within limit_ms, else nothing.
    bool ended(DWORD limit_ms, DWORD& status) const
    {
        return WaitForSingleObject(info_.hProcess, limit_ms) == WAIT_OBJECT_0 &&
               GetExitCodeProcess(info_.hProcess, &status);
    }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

}  // namespace

TEST(CityExe, WindowsUpClicksThenCtrlQExitsWithZero)
{
    Process city(CITY_EXE_PATH);
    ASSERT_TRUE(city.started());
    HWND graphics = wait_for_window("DrawWndClass", "TAVRO Graphics", 20000);
    ASSERT_NE(graphics, nullptr);
    EXPECT_NE(wait_for_window("TextWndClass", "TAVRO Text", 5000), nullptr);

    // A second of animation, a click on the button that adds cars and one in the scene.
    Sleep(1000);
    EXPECT_TRUE(IsWindowVisible(graphics));
    EXPECT_TRUE(city.running());
    RECT client{};
    GetClientRect(graphics, &client);
    PostMessageA(graphics, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 2 - 275, client.bottom / 2 + 225));
    PostMessageA(graphics, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 2 + 100, client.bottom / 2 + 40));
    Sleep(500);
    EXPECT_TRUE(city.running());

    PostMessageA(graphics, WM_KEYDOWN, VK_CONTROL, 0);
    PostMessageA(graphics, WM_KEYDOWN, 'Q', 0);
    DWORD status = 1;
    ASSERT_TRUE(city.ended(20000, status));
    EXPECT_EQ(status, 0u);
}

TEST(SecondDisplay, ShowsTheErrorDialogThenExitsWithMinusOne)
{
    Process program(SECOND_DISPLAY_PATH);
    ASSERT_TRUE(program.started());
    HWND dialog = wait_for_window(nullptr, "TAVRO_gets", 20000);
    ASSERT_NE(dialog, nullptr);
    char shown[128] = {};
    GetDlgItemTextA(dialog, 103, shown, sizeof shown);
    EXPECT_EQ(std::string(shown), "Error: Attempted to instantiate multiple TAVRO displays" + std::string(24, ' '));
    EXPECT_EQ(GetParent(dialog), FindWindowA("DrawWndClass", "TAVRO Graphics"));
    PostMessageA(dialog, WM_COMMAND, 101, 0);
    DWORD status = 0;
    ASSERT_TRUE(program.ended(20000, status));
    EXPECT_EQ(status, static_cast<DWORD>(-1));
}
