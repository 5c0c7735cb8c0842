#include "render_options.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

bool parse_integer(const std::string& text, long long& value)
{
    if (text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && end && *end == '\0';
}

bool readable(const std::string& path)
{
    std::ifstream in(path);
    return in.good() && !std::filesystem::is_directory(path);
}

// Checked without creating anything: the file, if it is there, or else its folder must take writes.
bool writable(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::is_directory(path, error)) {
        return false;
    }
    if (fs::exists(path, error)) {
        return access(path.c_str(), W_OK) == 0;
    }
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    return fs::is_directory(folder, error) && access(folder.c_str(), W_OK) == 0;
}

}  // namespace

std::optional<RenderOptions> parse_render_options(int argc, const char* const* argv, std::string& error)
{
    RenderOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool known = option == "--ticks" || option == "--time" || option == "--script" ||
                           option == "--log" || option == "--png" || option == "--gif" || option == "--gif-every";
        if (!known) {
            error = "unknown option '" + option + "'";
            return std::nullopt;
        }
        if (i + 1 >= argc) {
            error = "option " + option + " needs a value";
            return std::nullopt;
        }
        const std::string value = argv[++i];
        long long number = 0;
        if (option == "--ticks" || option == "--time" || option == "--gif-every") {
            if (!parse_integer(value, number)) {
                error = "option " + option + " takes a whole number, not '" + value + "'";
                return std::nullopt;
            }
        }
        if (option == "--ticks") {
            if (number < 0) {
                error = "--ticks must be 0 or more, not " + value;
                return std::nullopt;
            }
            options.ticks = number;
        } else if (option == "--time") {
            if (number < 0) {
                error = "--time must be 0 or more seconds, not " + value;
                return std::nullopt;
            }
            options.start_time = static_cast<std::time_t>(number);
        } else if (option == "--gif-every") {
            if (number < 1) {
                error = "--gif-every must be 1 or more, not " + value;
                return std::nullopt;
            }
            options.gif_every = number;
        } else if (option == "--script") {
            options.script = value;
        } else if (option == "--log") {
            options.log = value;
        } else if (option == "--png") {
            options.png = value;
        } else {
            options.gif = value;
        }
    }
    if (!options.script.empty() && !readable(options.script)) {
        error = "cannot read script file '" + options.script + "'";
        return std::nullopt;
    }
    for (const std::string* output : {&options.log, &options.png, &options.gif}) {
        if (!output->empty() && !writable(*output)) {
            error = "cannot write output file '" + *output + "'";
            return std::nullopt;
        }
    }
    return options;
}
