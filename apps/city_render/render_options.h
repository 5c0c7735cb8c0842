// The command line of city-render.
#pragma once

#include <ctime>
#include <optional>
#include <string>

struct RenderOptions {
    long long ticks = 100;
    std::optional<std::time_t> start_time;  // the real clock when not given
    std::string script;
    std::string log;
    std::string png;
    std::string gif;
    long long gif_every = 1;
};

constexpr const char* RENDER_USAGE =
    "usage: city-render [--ticks N] [--time T] [--script FILE] [--log FILE] [--png FILE] [--gif FILE] "
    "[--gif-every K]";

// Reads and checks the arguments; on a problem returns nothing and sets error to one line naming it.
std::optional<RenderOptions> parse_render_options(int argc, const char* const* argv, std::string& error);
