#include "desktop_run.h"

#include <cstdio>

namespace desktop {

DesktopRun::DesktopRun(const std::string& program) : process_(program, directory_.path(), true)
{
    graphics_ = find_window("TAVRO Graphics", WINDOW_SECONDS);
    if (graphics_) {
        const auto geometry = window_geometry(*graphics_);
        menu_height_ = geometry ? geometry->height - CLIENT_HEIGHT : 0;
    }
}

bool DesktopRun::click_client(int column, int row)
{
    return graphics_ && click(*graphics_, column, menu_height_ + row);
}

std::optional<Image> DesktopRun::drawing_area()
{
    if (!graphics_) {
        return std::nullopt;
    }
    const auto shot = screenshot(*graphics_);
    if (!shot) {
        return std::nullopt;
    }
    return shot->crop(0, menu_height_, CLIENT_WIDTH, CLIENT_HEIGHT);
}

std::optional<Image> DesktopRun::settled_drawing_area()
{
    std::optional<Image> previous = drawing_area();
    std::optional<Image> settled;
    eventually(
        [&] {
            pause_for(0.2);
            std::optional<Image> next = drawing_area();
            if (previous && next && differing_pixels(*previous, *next) == 0) {
                settled = next;
                return true;
            }
            previous = next;
            return false;
        },
        CHANGE_SECONDS);
    return settled;
}

std::optional<long long> DesktopRun::wait_sleeping(long long periodic_events)
{
    long long events = 0;
    const bool sleeping = eventually(
        [&] {
            // The last whole report line the program wrote.
            const std::string output = process_.output();
            const std::size_t start = output.rfind("TAVRO run: ");
            if (start == std::string::npos || output.find('\n', start) == std::string::npos) {
                return false;
            }
            char state[16] = {};
            return std::sscanf(output.c_str() + start, "TAVRO run: %lld periodic events, %15s", &events, state) == 2 &&
                   std::string(state) == "sleeping" && (periodic_events < 0 || events == periodic_events);
        },
        CHANGE_SECONDS);
    return sleeping ? std::optional<long long>(events) : std::nullopt;
}

std::optional<int> DesktopRun::quit()
{
    if (!graphics_ || !send_keys(*graphics_, "ctrl+q")) {
        return std::nullopt;
    }
    return process_.wait_exit(EXIT_SECONDS);
}

}  // namespace desktop
