#include "render/render_options.h"

#include "render/output_target.h"
#include "support/split_lines.h"
#include "seam/host.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#ifndef _WIN32
#include <unistd.h>

#endif

namespace tavro {

namespace fs = std::filesystem;

namespace {

// Whether a file can be made in the folder, asked without making one. Windows decides that by
// access lists that only an attempt tells: there the run names the failure (status 1).
bool folder_takes_new_files([[maybe_unused]] const fs::path& folder)
{
#ifdef _WIN32
    return true;
#else
    return access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}

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

// Opening a FIFO for reading would block, and a folder opens on some systems: only a
// regular file is read. kind names the file in the message ("script", "answers").
std::string input_problem(const std::string& kind, const std::string& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) {
        return "cannot read " + kind + " file '" + path + "'";
    }
    if (!fs::is_regular_file(status)) {
        return kind + " file '" + path + "' is not a regular file";
    }
    if (!std::ifstream(path).good()) {
        return "cannot read " + kind + " file '" + path + "'";
    }
    return {};
}

// One reply a line; a line end written on Windows (CR LF) is no part of the reply.
std::string read_answers(const std::string& path, std::vector<std::string>& answers)
{
    const std::string problem = input_problem("answers", path);
    if (!problem.empty()) {
        return problem;
    }
    std::ifstream file(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        return "cannot read answers file '" + path + "'";
    }
    for (std::string& line : split_lines(text)) {
        answers.push_back(std::move(line));
    }
    return {};
}

// Checked without creating anything. A file is created beside its name's target and renamed
// onto it, so that folder must take new files; a stream is written as it is.
std::string output_problem(const std::string& name)
{
    const std::string start = "cannot write output file '" + name + "': ";
    std::string reason;
    const std::optional<OutputTarget> target = output_target(name, reason);
    if (!target) {
        return start + reason;
    }
    if (target->kind == OutputTarget::Kind::stream) {
        return {};
    }
    fs::path folder = fs::path(target->path).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        return start + "no folder " + folder.string();
    }
    if (!folder_takes_new_files(folder)) {
        return start + "folder " + folder.string() + " refuses new files";
    }
    return {};
}

// The path with its folder's links resolved, to find one file named two ways.
// Outputs are compared by where they lead, so that a link to a file not made yet is found too.
std::string written_path(const std::string& name)
{
    std::string ignored;
    const std::optional<OutputTarget> target = output_target(name, ignored);
    return target ? target->path : name;
}

std::string collision_problem(const RenderOptions& options)
{
    const std::pair<const char*, const std::string*> outputs[] = {
        {"--log", &options.log}, {"--png", &options.png}, {"--gif", &options.gif}};
    for (std::size_t i = 0; i < std::size(outputs); ++i) {
        const std::string& name = *outputs[i].second;
        if (name.empty() || name == RENDER_STANDARD_OUTPUT) {
            continue;
        }
        const std::string path = written_path(name);
        if (!options.script.empty() && same_file(path, options.script)) {
            return std::string(outputs[i].first) + " '" + name + "' is the script file";
        }
        for (const std::string& answers : options.answer_files) {
            if (same_file(path, answers)) {
                return std::string(outputs[i].first) + " '" + name + "' is the answers file";
            }
        }
        for (std::size_t j = 0; j < i; ++j) {
            const std::string& other = *outputs[j].second;
            if (!other.empty() && other != RENDER_STANDARD_OUTPUT && same_file(path, written_path(other))) {
                return std::string(outputs[i].first) + " '" + name + "' is also the file of " + outputs[j].first;
            }
        }
    }
    return {};
}

// What an option's value must be before it is stored.
enum class ValueKind {
    text,         // anything, empty too
    number,       // a whole number
    file,         // a file name
    file_or_dash  // a file name, or "-" for standard output
};

struct OptionRule {
    const char* name;
    ValueKind kind;
    // Stores the value (number holds it read, for a number); one line naming a refusal.
    std::string (*store)(RenderOptions& options, const std::string& value, long long number);
    // Instead of store: the field that takes the value as it is.
    std::string RenderOptions::*field = nullptr;
};

const OptionRule OPTION_RULES[] = {
    {"--ticks", ValueKind::number,
     [](RenderOptions& options, const std::string& value, long long number) -> std::string {
         if (number < 0) {
             return "--ticks must be 0 or more, not " + value;
         }
         options.ticks = number;
         return {};
     }},
    {"--time", ValueKind::number,
     [](RenderOptions& options, const std::string& value, long long) -> std::string {
         std::string error;
         const std::optional<long long> start = parse_start_time("--time", value, error);
         if (start) {
             options.start_time = static_cast<std::time_t>(*start);
         }
         return error;
     }},
    {"--gif-every", ValueKind::number,
     [](RenderOptions& options, const std::string& value, long long number) -> std::string {
         if (number < 1 || number > RENDER_LARGEST_GIF_EVERY) {
             return "--gif-every must be 1 to " + std::to_string(RENDER_LARGEST_GIF_EVERY) + ", not " + value;
         }
         options.gif_every = number;
         return {};
     }},
    {"--max-log", ValueKind::number,
     [](RenderOptions& options, const std::string& value, long long number) -> std::string {
         if (number < 1) {
             return "--max-log must be 1 or more bytes, not " + value;
         }
         options.max_log = number;
         return {};
     }},
    {"--answer", ValueKind::text,
     [](RenderOptions& options, const std::string& value, long long) -> std::string {
         options.answers.push_back(value);  // an empty reply is a reply too
         return {};
     }},
    {"--answers", ValueKind::file,
     [](RenderOptions& options, const std::string& value, long long) -> std::string {
         const std::string error = read_answers(value, options.answers);
         if (error.empty()) {
             options.answer_files.push_back(value);
         }
         return error;
     }},
    {"--script", ValueKind::file, nullptr, &RenderOptions::script},
    {"--log", ValueKind::file_or_dash, nullptr, &RenderOptions::log},
    {"--png", ValueKind::file, nullptr, &RenderOptions::png},
    {"--gif", ValueKind::file, nullptr, &RenderOptions::gif},
};

const OptionRule* find_rule(const std::string& option)
{
    for (const OptionRule& rule : OPTION_RULES) {
        if (option == rule.name) {
            return &rule;
        }
    }
    return nullptr;
}

// Whether value is of the rule's kind; reads a number into number.
std::string value_problem(const OptionRule& rule, const std::string& value, long long& number)
{
    const std::string option = rule.name;
    switch (rule.kind) {
    case ValueKind::text:
        return {};
    case ValueKind::number:
        return parse_integer(value, number) ? std::string()
                                            : "option " + option + " takes a whole number, not '" + value + "'";
    case ValueKind::file:
    case ValueKind::file_or_dash:
        if (value.empty()) {
            return "option " + option + " needs a file name, not an empty one";
        }
        if (value == RENDER_STANDARD_OUTPUT && rule.kind != ValueKind::file_or_dash) {
            return "option " + option + " needs a file name: '-' (standard output) is for --log only";
        }
        return {};
    }
    return {};
}

// The files named, checked once every option is read: the script can be read, each output
// written, and no file is named twice.
std::string files_problem(const RenderOptions& options)
{
    if (!options.script.empty()) {
        const std::string problem = input_problem("script", options.script);
        if (!problem.empty()) {
            return problem;
        }
    }
    for (const std::string* output : {&options.log, &options.png, &options.gif}) {
        if (!output->empty() && *output != RENDER_STANDARD_OUTPUT) {
            const std::string problem = output_problem(*output);
            if (!problem.empty()) {
                return problem;
            }
        }
    }
    return collision_problem(options);
}

}  // namespace

std::optional<long long> RenderOptions::tick_limit() const
{
    if (ticks) {
        return ticks;
    }
    if (script.empty()) {
        return 100;
    }
    return std::nullopt;
}

std::optional<RenderOptions> parse_render_options(int argc, const char* const* argv, std::string& error)
{
    RenderOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "--version") {
            options.action = option == "--help" ? RenderOptions::Action::help : RenderOptions::Action::version;
            return options;
        }
        const OptionRule* rule = find_rule(option);
        if (rule == nullptr) {
            error = "unknown option '" + option + "'";
            return std::nullopt;
        }
        if (i + 1 >= argc) {
            error = "option " + option + " needs a value";
            return std::nullopt;
        }
        const std::string value = argv[++i];
        long long number = 0;
        error = value_problem(*rule, value, number);
        if (error.empty() && rule->field != nullptr) {
            options.*rule->field = value;
        } else if (error.empty()) {
            error = rule->store(options, value, number);
        }
        if (!error.empty()) {
            return std::nullopt;
        }
    }
    error = files_problem(options);
    if (!error.empty()) {
        return std::nullopt;
    }
    return options;
}

std::string render_usage_line(const std::string& program)
{
    return "usage: " + program +
           " [--ticks N] [--time T] [--script FILE] [--answer TEXT] [--answers FILE] [--log FILE]"
           " [--max-log BYTES] [--png FILE] [--gif FILE] [--gif-every K] [--help] [--version]";
}

std::string render_usage(const std::string& program)
{
    return render_usage_line(program) + "\n\n" +
           "Runs the program without a screen and writes what it drew.\n\n"
           "  --ticks N      quit after N periodic events (default 100; with --script, no limit:\n"
           "                 the whole script plays); 0 draws the first frame only\n"
           "  --time T       start the virtual clock at T seconds since 1970, 0 to " +
           std::to_string(RENDER_LATEST_TIME) +
           "\n"
           "                 (default: now); it advances 0.1 s with every periodic event\n"
           "  --script FILE  play FILE as the script \"TAVRO.SCR\" from the first wait on, read\n"
           "                 where it is; when it ends, the run ends (the next wait returns quit)\n"
           "                 (default: none; the timer makes the periodic events)\n"
           "  --answer TEXT  the next reply of the text-input dialog; give it once per reply\n"
           "  --answers FILE\n"
           "                 the replies of the dialog, one a line, after those given before it;\n"
           "                 with none left the reply is empty and the text window says so\n"
           "  --log FILE     write every line of the text window to FILE, or to standard output\n"
           "                 when FILE is -; logging is switched on when the program first waits,\n"
           "                 as with Ctrl+L (default: no log)\n"
           "  --max-log BYTES\n"
           "                 stop the run (status 1) when the log grows past BYTES (default: no\n"
           "                 limit), so that a program drawing for ever cannot fill the disk\n"
           "  --png FILE     write the last frame, " +
           std::to_string(tavro::CLIENT_WIDTH) + " x " + std::to_string(tavro::CLIENT_HEIGHT) +
           " pixels, as a PNG picture (default: none)\n"
           "  --gif FILE     write every K-th frame as an animated GIF, 10 frames a second\n"
           "                 of run time (default: none)\n"
           "  --gif-every K  the K of --gif, 1 to " +
           std::to_string(RENDER_LARGEST_GIF_EVERY) +
           " (default 1)\n"
           "  --help         print this text and exit\n"
           "  --version      print the program's name and version and exit\n\n"
           "No file is both read and written, nor written twice. Each output file is written\n"
           "beside its name (a link's target) and renamed onto it when complete; a pipe, a\n"
           "terminal or a device is written straight into. The closing report goes to standard\n"
           "output, or to standard error when an output goes to one of those.\n\n"
           "Exit status: the program's own (what application_main returns, 0 normally);\n"
           "1 when an output or a recording of the script could not be written, or the log grew\n"
           "past --max-log; 2 for a bad argument (nothing is written).\n";
}

}  // namespace tavro
