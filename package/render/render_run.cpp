#include "render/render_run.h"
#include <tavro/version.h>

#include "core/control.h"
#include "hosts/headless/headless_driver.h"
#include "render/render_outputs.h"
#include <tavro/display.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

namespace tavro {

namespace fs = std::filesystem;

namespace {

struct RunCounts {
    int status = 0;
    long long periodic_events = 0;
    long long frames = 0;
};

// A log past its bound ends the process at once: a program that never waits would not take a
// quit. Exiting removes the unfinished outputs (scratch_files.h).
[[noreturn]] void stop_grown_log(long long bound, RenderOutputs& outputs, const std::string& prefix,
                                 std::ostream& errors)
{
    outputs.abandon();
    errors << prefix << "the log grew past " << bound << " bytes: the run was stopped\n";
    errors.flush();
    std::exit(1);
}

// Runs the application over the headless host: the clock starts at the given time, the log
// takes every text line, the dialog takes the answers, and the run quits after the tick limit
// or when the script has ended. A frame is what a wait shows as it starts (the image the program
// drew since the last one), and at the end the frame the program drew after its last wait, if
// it drew one.
RunCounts run_program(const RenderOptions& options, RenderOutputs& outputs, const std::string& prefix,
                      std::ostream& errors)
{
    tavro::HeadlessDriver& driver = tavro::headless_driver();
    driver.set_start_time(options.start_time ? *options.start_time : std::time(nullptr));
    driver.set_keep_text_lines(false);
    if (outputs.logs()) {
        long long logged = 0;
        driver.set_text_line_sink([logged, &options, &outputs, &prefix, &errors](std::string_view line) mutable {
            logged += static_cast<long long>(line.size()) + 1;
            if (options.max_log && logged > *options.max_log) {
                stop_grown_log(*options.max_log, outputs, prefix, errors);
            }
            outputs.log_line(line);
        });
        // Taken by the first wait: what is drawn before it is not logged.
        driver.switch_logging();
    }
    for (const std::string& answer : options.answers) {
        driver.push_dialog_reply(answer);
    }
    driver.set_no_reply_left(control::say_no_answer_left);

    RunCounts counts;
    const std::optional<long long> tick_limit = options.tick_limit();
    long long drawings_taken = -1;
    auto take_frame = [&] {
        if (outputs.gif() && counts.frames % options.gif_every == 0) {
            outputs.gif()->add_frame(driver.canvas());
        }
        ++counts.frames;
        drawings_taken = driver.drawings();
    };
    WaitObserver observer;
    observer.wait_started = take_frame;
    observer.wait_returned = [&](int kind) {
        if (kind == event_periodic && ++counts.periodic_events == tick_limit) {
            driver.host().post_quit(0);
        }
    };
    // Whatever the program has set meanwhile (animation, say), the wait gives it quit next.
    observer.playback_ended = [&] { driver.host().post_quit(0); };
    control::observe_waits(observer);

    if (tick_limit == 0) {
        driver.host().post_quit(0);
    } else if (!options.script.empty()) {
        // Read where it is: the program keeps the working folder it was started in.
        driver.play_script(fs::absolute(options.script).string());
    }

    counts.status = run_application_entry(nullptr, nullptr, "", tavro::SHOW_NORMAL);
    if (driver.drawings() != drawings_taken) {
        take_frame();
    }
    control::observe_waits({});
    control::reset_playback_file();
    driver.set_no_reply_left({});
    driver.set_text_line_sink({});
    return counts;
}

// The name the program's messages start with: its file's, without ".exe" on Windows, so that
// the messages are the same as on Linux.
std::string program_name(int argc, const char* const* argv)
{
    if (argc < 1 || !argv[0][0]) {
        return "tavro-render";
    }
    fs::path name = fs::path(argv[0]).filename();
#ifdef _WIN32
    std::string extension = name.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".exe") {
        name.replace_extension();
    }
#endif
    return name.string();
}

}  // namespace

int run_render(const RenderOptions& options, const std::string& program, std::ostream& report, std::ostream& errors)
{
    const std::string prefix = program + ": ";
    RenderOutputs outputs;
    if (!outputs.open(options, report, prefix, errors)) {
        return 1;
    }
    const RunCounts counts = run_program(options, outputs, prefix, errors);

    std::string written;
    if (!outputs.commit(tavro::headless_driver().canvas(), prefix, written, errors)) {
        return 1;  // each output that failed is named on errors, and nothing else is said
    }
    if (control::recording_lost_lines()) {
        errors << prefix << "cannot write script file " << control::script_file_name()
               << ": the recording lost lines\n";
        return 1;
    }
    // Never mixed into what an output wrote to standard output, a pipe or a terminal.
    std::ostream& report_to = outputs.writes_a_stream() ? errors : report;
    report_to << prefix << counts.periodic_events << " ticks, " << counts.frames << " frames" << written << '\n';
    return counts.status;
}

int render_entry(int argc, const char* const* argv, std::ostream& out, std::ostream& errors)
{
    const std::string program = program_name(argc, argv);
    try {
        std::string error;
        const auto options = parse_render_options(argc, argv, error);
        if (!options) {
            errors << program << ": " << error << " (" << render_usage_line(program) << ")\n";
            return 2;
        }
        switch (options->action) {
        case RenderOptions::Action::help:
            out << render_usage(program);
            return 0;
        case RenderOptions::Action::version:
            out << program << " (TAVRO " << TAVRO_VERSION_STRING << ")\n";
            return 0;
        case RenderOptions::Action::run:
            break;
        }
        return run_render(*options, program, out, errors);
    } catch (const std::exception& problem) {
        errors << program << ": " << problem.what() << '\n';
    } catch (...) {
        errors << program << ": unexpected failure\n";
    }
    return 1;
}

}  // namespace tavro
