// One run of a program on the desktop host for a test: a scratch directory as
// its current directory, the process, and its graphics window once it shows.
#pragma once

#include "test_support.h"
#include "x_session.h"

#include <optional>
#include <string>

namespace desktop {

constexpr int CLIENT_WIDTH = 601;
constexpr int CLIENT_HEIGHT = 501;
constexpr std::uint32_t WHITE = 0xffffff;
// Long enough for a slow start under the sanitizers, short enough for CI.
constexpr double WINDOW_SECONDS = 15;
constexpr double EXIT_SECONDS = 5;
constexpr double CHANGE_SECONDS = 5;

class DesktopRun {
public:
    explicit DesktopRun(const std::string& program);

    // The graphics window, once it is there (nothing if it did not show in time).
    std::optional<unsigned long> graphics() const { return graphics_; }
    ChildProcess& process() { return process_; }
    // The menu bar's height: the graphics window is the bar over the drawing area.
    int menu_height() const { return menu_height_; }
    // A click at a pixel of the drawing area.
    bool click_client(int column, int row);
    // The drawing area as the screen shows it.
    std::optional<Image> drawing_area();
    // Waits until two screenshots of the drawing area in a row are the same and returns it.
    std::optional<Image> settled_drawing_area();
    // Waits until the program sleeps (halted, its input all taken: only input can wake it) having
    // returned periodic_events periodic events, or any number when that is negative, and gives that
    // number; nothing when it does not within CHANGE_SECONDS.
    std::optional<long long> wait_sleeping(long long periodic_events = -1);
    // Sends Ctrl+Q and gives the exit status.
    std::optional<int> quit();

private:
    TempDirectory directory_;
    ChildProcess process_;
    std::optional<unsigned long> graphics_;
    int menu_height_ = 0;
};

}  // namespace desktop
