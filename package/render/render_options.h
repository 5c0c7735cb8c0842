// The command line of a program rendered headless (city-render is the city's).
#pragma once

#include "support/start_time.h"

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace tavro {

struct RenderOptions {
    enum class Action { run, help, version };
    Action action = Action::run;
    std::optional<long long> ticks;         // nothing: 100, or no limit with a script
    std::optional<std::time_t> start_time;  // the real clock when not given
    std::string script;
    std::string log;  // RENDER_STANDARD_OUTPUT: the log goes to standard output
    std::string png;
    std::string gif;
    long long gif_every = 1;
    // The dialog's replies in order: each --answer, and the lines of each --answers file.
    std::vector<std::string> answers;
    std::vector<std::string> answer_files;  // read already; kept to refuse writing onto one
    std::optional<long long> max_log;       // bytes; nothing for no limit

    // The number of periodic events after which the run quits; nothing for no limit.
    std::optional<long long> tick_limit() const;
};

// The file name of --log that stands for standard output.
inline const std::string RENDER_STANDARD_OUTPUT = "-";

// The largest --time, as for every reproducible run's clock.
constexpr long long RENDER_LATEST_TIME = LATEST_START_TIME;
// The largest --gif-every: a GIF frame delay of 10 centiseconds per tick fits its 16 bits.
constexpr long long RENDER_LARGEST_GIF_EVERY = 6553;

// Reads and checks the arguments, and reads the answers files, without writing any file; on a
// problem returns nothing and sets error to one line naming it.
std::optional<RenderOptions> parse_render_options(int argc, const char* const* argv, std::string& error);

// The --help text of the named program: every option, its default and the exit statuses.
std::string render_usage(const std::string& program);
// The one-line reminder that follows a bad argument.
std::string render_usage_line(const std::string& program);

}  // namespace tavro
