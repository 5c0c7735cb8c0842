#include "x_session.h"

#include <cairo.h>

#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <signal.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace desktop {

namespace {

constexpr double COMMAND_SECONDS = 10;

std::string limited(const std::string& command, double seconds = COMMAND_SECONDS)
{
    return "timeout " + std::to_string(seconds) + " " + command;
}

std::string search_pattern(const std::string& title) { return "'^" + title + "$'"; }

std::optional<unsigned long> first_id(const std::string& output)
{
    std::istringstream lines(output);
    unsigned long id = 0;
    if (lines >> id) {
        return id;
    }
    return std::nullopt;
}

struct DisplayClose {
    void operator()(::Display* display) const { XCloseDisplay(display); }
};

struct SurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::string& directory, bool report_run)
    : log_path_(directory + "/output.log")
{
    pid_ = fork();
    if (pid_ == 0) {
        const int log = open(log_path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (chdir(directory.c_str()) != 0 || log < 0) {
            _exit(127);
        }
        dup2(log, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
        if (report_run) {
            setenv("TAVRO_RUN_REPORT", "1", 1);
        }
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
}

ChildProcess::~ChildProcess()
{
    if (pid_ > 0 && !status_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool ChildProcess::reap()
{
    if (pid_ <= 0 || status_) {
        return true;
    }
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_) {
        return false;
    }
    // A program ended by a signal has no exit status; it is reaped all the same.
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return true;
}

bool ChildProcess::running() { return !reap(); }

std::optional<int> ChildProcess::wait_exit(double seconds)
{
    if (!eventually([this] { return reap(); }, seconds) || !status_ || *status_ < 0) {
        return std::nullopt;
    }
    return status_;
}

std::string ChildProcess::output() const
{
    std::ifstream in(log_path_);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<std::string> run_command(const std::string& command)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>/dev/null").c_str(), "r"), pclose);
    if (!pipe) {
        return std::nullopt;
    }
    std::string output;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0) {
        output.append(buffer, got);
    }
    const int status = pclose(pipe.release());
    if (status != 0) {
        return std::nullopt;
    }
    return output;
}

std::optional<unsigned long> find_window(const std::string& title, double seconds)
{
    const auto output = run_command(limited("xdotool search --sync --name " + search_pattern(title), seconds));
    return output ? first_id(*output) : std::nullopt;
}

bool window_titled(const std::string& title)
{
    const auto output = run_command(limited("xdotool search --name " + search_pattern(title)));
    return output && first_id(*output);
}

std::optional<Geometry> window_geometry(unsigned long window)
{
    const auto output = run_command(limited("xdotool getwindowgeometry --shell " + std::to_string(window)));
    if (!output) {
        return std::nullopt;
    }
    Geometry geometry;
    std::istringstream lines(*output);
    std::string line;
    while (std::getline(lines, line)) {
        const auto equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const std::string name = line.substr(0, equals);
        const int value = std::atoi(line.c_str() + equals + 1);
        if (name == "X") {
            geometry.x = value;
        } else if (name == "Y") {
            geometry.y = value;
        } else if (name == "WIDTH") {
            geometry.width = value;
        } else if (name == "HEIGHT") {
            geometry.height = value;
        }
    }
    return geometry;
}

bool popup_menu_shown()
{
    // A menu is an untitled window; the root is one too, but wider than any menu.
    constexpr int MENU_LEAST_SIDE = 100;
    constexpr int MENU_MOST_WIDTH = 800;
    const auto output = run_command(limited("xdotool search --onlyvisible --maxdepth 1 --name '^$'"));
    if (!output) {
        return false;
    }
    std::istringstream ids(*output);
    for (unsigned long id = 0; ids >> id;) {
        const auto geometry = window_geometry(id);
        if (geometry && geometry->width >= MENU_LEAST_SIDE && geometry->height >= MENU_LEAST_SIDE &&
            geometry->width <= MENU_MOST_WIDTH) {
            return true;
        }
    }
    return false;
}

bool click(unsigned long window, int x, int y)
{
    return run_command(limited("xdotool mousemove --window " + std::to_string(window) + " " + std::to_string(x) + " " +
                               std::to_string(y) + " click 1"))
        .has_value();
}

bool send_keys(unsigned long window, const std::string& keys)
{
    return run_command(limited("xdotool windowfocus --sync " + std::to_string(window) + " key --delay 30 " + keys))
        .has_value();
}

bool send_keys(const std::string& keys) { return run_command(limited("xdotool key --delay 30 " + keys)).has_value(); }

bool request_close(unsigned long window)
{
    std::unique_ptr<::Display, DisplayClose> display(XOpenDisplay(nullptr));
    if (!display) {
        return false;
    }
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display.get(), "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display.get(), "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display.get(), window, False, NoEventMask, &event);
    XSync(display.get(), False);
    return sent != 0;
}

Image Image::crop(int left, int top, int crop_width, int crop_height) const
{
    Image part;
    part.width = crop_width;
    part.height = crop_height;
    for (int row = top; row < top + crop_height; ++row) {
        for (int column = left; column < left + crop_width; ++column) {
            const bool inside = column >= 0 && column < width && row >= 0 && row < height;
            part.pixels.push_back(inside ? at(column, row) : 0);
        }
    }
    return part;
}

std::optional<Image> read_png(const std::string& path)
{
    std::unique_ptr<cairo_surface_t, SurfaceRelease> surface(cairo_image_surface_create_from_png(path.c_str()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        return std::nullopt;
    }
    Image image;
    image.width = cairo_image_surface_get_width(surface.get());
    image.height = cairo_image_surface_get_height(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    for (int row = 0; row < image.height; ++row) {
        for (int column = 0; column < image.width; ++column) {
            std::uint32_t word = 0;
            std::memcpy(&word, data + row * stride + column * 4, sizeof word);
            image.pixels.push_back(word & 0xffffffu);
        }
    }
    return image;
}

std::optional<Image> screenshot(unsigned long window)
{
    static int taken = 0;
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("tavro-shot-" + std::to_string(getpid()) + "-" + std::to_string(++taken) + ".png"))
                                 .string();
    std::optional<Image> image;
    if (run_command(limited("import -window " + std::to_string(window) + " png:" + path))) {
        image = read_png(path);
    }
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return image;
}

long differing_pixels(const Image& a, const Image& b)
{
    if (a.width != b.width || a.height != b.height) {
        return static_cast<long>(std::max(a.pixels.size(), b.pixels.size()));
    }
    long count = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        count += a.pixels[i] != b.pixels[i] ? 1 : 0;
    }
    return count;
}

long pixels_not_of(const Image& image, std::uint32_t colour)
{
    long count = 0;
    for (const std::uint32_t pixel : image.pixels) {
        count += pixel != colour ? 1 : 0;
    }
    return count;
}

bool eventually(const std::function<bool()>& condition, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        pause_for(0.1);
    }
}

void pause_for(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

}  // namespace desktop
