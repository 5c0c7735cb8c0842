// Helpers for tests in real windows on the X display named by DISPLAY: start a
// program, find its windows, send input with xdotool, take screenshots with
// ImageMagick's import, and compare pictures. Every external command runs under
// a time limit, so a test can fail but never hang.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace desktop {

// A program started in a directory of its own; killed and reaped when the
// object goes, if it is still running then.
class ChildProcess {
public:
    // With report_run, the program reports its run on standard error (TAVRO_RUN_REPORT).
    ChildProcess(const std::string& program, const std::string& directory, bool report_run = false);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool running();
    // The exit status (-1 comes back as 255) once it has exited within seconds;
    // nothing when it is still running then or was ended by a signal.
    std::optional<int> wait_exit(double seconds);
    // What the program wrote to its standard output and error.
    std::string output() const;

private:
    // True once the program has ended (its status is then kept).
    bool reap();

    pid_t pid_ = -1;
    std::optional<int> status_;
    std::string log_path_;
};

// Runs a shell command and returns its standard output, or nothing when it failed.
std::optional<std::string> run_command(const std::string& command);

// The first window whose whole title is title, waiting up to seconds for it.
std::optional<unsigned long> find_window(const std::string& title, double seconds);
// Whether a window with this whole title exists now.
bool window_titled(const std::string& title);

struct Geometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
std::optional<Geometry> window_geometry(unsigned long window);
// Whether a pop-up menu is shown now: an untitled top-level window of a menu's size.
bool popup_menu_shown();

// A left click at (x, y) of the window.
bool click(unsigned long window, int x, int y);
// Gives the window the keyboard focus and sends xdotool key names ("ctrl+h Return").
bool send_keys(unsigned long window, const std::string& keys);
// Sends key names to whatever holds the keyboard now (an open menu, for instance).
bool send_keys(const std::string& keys);
// Asks the window to close, as a window manager's close box does.
bool request_close(unsigned long window);

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0xRRGGBB, row by row

    std::uint32_t at(int column, int row) const
    {
        return pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(column)];
    }
    Image crop(int left, int top, int crop_width, int crop_height) const;
};

std::optional<Image> read_png(const std::string& path);
std::optional<Image> screenshot(unsigned long window);
// Pixels that differ, counting every pixel as differing when the sizes differ.
long differing_pixels(const Image& a, const Image& b);
long pixels_not_of(const Image& image, std::uint32_t colour);

// Polls condition every 100 ms until it holds or seconds have passed.
bool eventually(const std::function<bool()>& condition, double seconds);
void pause_for(double seconds);

}  // namespace desktop
