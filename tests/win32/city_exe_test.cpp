// Programs started as processes of their own: city.exe's windows come up, it
// takes clicks while animating, and Ctrl+Q ends it with exit status 0; a
// second Display shows the error dialog and ends the process with status -1.
#include "hosts/win32/win32_host.h"
#include "process_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace tavro;

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

// The periodic events a program has returned, as its graphics window tells.
std::uintptr_t periodic_events(HWND graphics)
{
    return reinterpret_cast<std::uintptr_t>(GetPropA(graphics, tavro::PERIODIC_EVENTS_PROPERTY));
}

// Waits until the program has returned at least count periodic events.
bool reaches_periodic_events(HWND graphics, std::uintptr_t count, DWORD limit_ms)
{
    for (DWORD waited = 0; periodic_events(graphics) < count; waited += 50) {
        if (waited >= limit_ms) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

class Process {
public:
    // Started in a job that ends it when the job's last handle closes: also when this test is killed
    // (CTest's time limit), so no program outlives its test to take the next one's messages.
    explicit Process(const char* path) : job_(CreateJobObjectA(nullptr, nullptr))
    {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        std::string command_line = "\"" + windows_path(path) + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        started_ = job_ != nullptr &&
                   SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits) &&
                   CreateProcessA(nullptr, &command_line[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                                  nullptr, &startup, &info_);
        if (started_ && (!AssignProcessToJobObject(job_, info_.hProcess) ||
                         ResumeThread(info_.hThread) == static_cast<DWORD>(-1))) {
            TerminateProcess(info_.hProcess, 1);
            started_ = false;
        }
    }
    ~Process()
    {
        // Closing the job ends the program if it still runs.
        if (info_.hProcess != nullptr) {
            CloseHandle(info_.hThread);
            CloseHandle(info_.hProcess);
        }
        if (job_ != nullptr) {
            CloseHandle(job_);
        }
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool started() const { return started_; }
    DWORD id() const { return info_.dwProcessId; }
    bool running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    // The exit status once it has ended within limit_ms, else nothing.
    bool ended(DWORD limit_ms, DWORD& status) const
    {
        return WaitForSingleObject(info_.hProcess, limit_ms) == WAIT_OBJECT_0 &&
               GetExitCodeProcess(info_.hProcess, &status);
    }
    // Its own window of this class (any when null) and title, once it appears within limit_ms.
    HWND wait_for_window(const char* class_name, const char* title, DWORD limit_ms) const
    {
        for (DWORD waited = 0; waited < limit_ms; waited += 100) {
            if (HWND window = process_window(id(), class_name, title)) {
                return window;
            }
            Sleep(100);
        }
        return nullptr;
    }

private:
    HANDLE job_;
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

}  // namespace

TEST(CityExe, WindowsUpClicksThenCtrlQExitsWithZero)
{
    Process city(CITY_EXE_PATH);
    ASSERT_TRUE(city.started());
    HWND graphics = city.wait_for_window("DrawWndClass", "TAVRO Graphics", 20000);
    ASSERT_NE(graphics, nullptr);
    EXPECT_NE(city.wait_for_window("TextWndClass", "TAVRO Text", 5000), nullptr);

    // A second of animation, a click on the button that adds cars and one in the scene.
    ASSERT_TRUE(reaches_periodic_events(graphics, 10, 20000));
    EXPECT_TRUE(IsWindowVisible(graphics));
    EXPECT_TRUE(city.running());
    RECT client{};
    GetClientRect(graphics, &client);
    PostMessageA(graphics, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 2 - 275, client.bottom / 2 + 225));
    PostMessageA(graphics, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 2 + 100, client.bottom / 2 + 40));
    // A timer tick comes only when no posted message waits: two more frames, and the clicks are taken.
    ASSERT_TRUE(reaches_periodic_events(graphics, periodic_events(graphics) + 2, 20000));
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
    HWND dialog = program.wait_for_window(nullptr, "TAVRO_gets", 20000);
    ASSERT_NE(dialog, nullptr);
    char shown[128] = {};
    GetDlgItemTextA(dialog, 103, shown, sizeof shown);
    EXPECT_EQ(std::string(shown), "Error: Attempted to instantiate multiple TAVRO displays" + std::string(24, ' '));
    EXPECT_EQ(GetParent(dialog), process_window(program.id(), "DrawWndClass", "TAVRO Graphics"));
    PostMessageA(dialog, WM_COMMAND, 101, 0);
    DWORD status = 0;
    ASSERT_TRUE(program.ended(20000, status));
    EXPECT_EQ(status, static_cast<DWORD>(-1));
}
