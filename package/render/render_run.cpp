#include "render_run.h"

#include "cairo_canvas.h"
#include "event_wait.h"
#include "gif_writer.h"
#include "headless_host.h"
#include "run_menu.h"
#include "scratch_files.h"
#include "session.h"
#include <tavro/display.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

#ifndef TAVRO_VERSION
#define TAVRO_VERSION "unknown"
#endif

namespace {

constexpr int CENTISECONDS_PER_TICK = 10;

// The outputs asked for, each with its temporary file, in the order they are reported.
struct Outputs {
    std::unique_ptr<OutputFile> png;
    std::unique_ptr<OutputFile> gif;
    std::unique_ptr<OutputFile> log;
};

}  // namespace

int run_render(const RenderOptions& options, const std::string& program, std::ostream& report, std::ostream& errors)
{
    const std::string prefix = program + ": ";
    Outputs outputs;
    for (auto [path, output] : {std::pair{&options.png, &outputs.png}, std::pair{&options.gif, &outputs.gif},
                                std::pair{&options.log, &outputs.log}}) {
        if (path->empty()) {
            continue;
        }
        // Absolute: the run's current directory is the script's scratch folder.
        *output = std::make_unique<OutputFile>(fs::absolute(*path).string());
        std::string reason;
        if (!(*output)->create(reason)) {
            errors << prefix << "cannot write " << (*output)->final_path() << ": " << reason << '\n';
            return 1;
        }
    }

    tavro::HeadlessHost& host = tavro::headless_host();
    host.set_start_time(options.start_time ? *options.start_time : std::time(nullptr));
    host.set_keep_text_lines(false);
    std::ofstream log;
    if (outputs.log) {
        log.open(outputs.log->temporary_path());
        host.set_text_line_sink([&log](const std::string& line) { log << line << '\n'; });
        // Taken by the first wait: what is drawn before it is not logged.
        host.choose_menu(COMMAND_LOGGING);
    }

    std::unique_ptr<GifWriter> gif;
    if (outputs.gif) {
        gif = std::make_unique<GifWriter>(outputs.gif->temporary_path(), tavro::HeadlessHost::CLIENT_WIDTH,
                                          tavro::HeadlessHost::CLIENT_HEIGHT,
                                          static_cast<int>(options.gif_every * CENTISECONDS_PER_TICK));
    }

    ScriptFolder script_folder;
    if (!options.script.empty()) {
        std::string reason;
        if (!script_folder.enter(options.script, reason)) {
            errors << prefix << reason << '\n';
            return 1;
        }
    }

    const std::optional<long long> tick_limit = options.tick_limit();
    long long periodic_events = 0;
    long long frames = 0;
    // A frame is finished when the next wait starts; the first wait only follows start-up.
    auto take_frame = [&] {
        if (gif && frames % options.gif_every == 0) {
            gif->add_frame(host.canvas());
        }
        ++frames;
    };
    bool first_wait = true;
    WaitObserver observer;
    observer.wait_started = [&] {
        if (!first_wait) {
            take_frame();
        }
        first_wait = false;
    };
    observer.wait_returned = [&](int kind) {
        if (kind == event_periodic && ++periodic_events == tick_limit) {
            host.post_quit(0);
        }
    };
    set_wait_observer(observer);

    if (tick_limit == 0) {
        host.post_quit(0);
    } else if (!options.script.empty()) {
        host.choose_menu(COMMAND_PLAYBACK);
    }

    const int status = run_application_entry(nullptr, nullptr, "", tavro::SHOW_NORMAL);
    take_frame();
    set_wait_observer({});
    host.set_text_line_sink({});

    // Each complete output is renamed into place; one that is not is named and not claimed.
    const auto log_complete = [&log] {
        log.close();
        return !log.fail();
    };
    const std::pair<OutputFile*, bool> finished[] = {
        {outputs.png.get(), outputs.png && host.write_client_png(outputs.png->temporary_path())},
        {outputs.gif.get(), gif && gif->close()},
        {outputs.log.get(), outputs.log && log_complete()},
    };
    bool all_written = true;
    std::string written;
    for (const auto& [output, complete] : finished) {
        if (!output) {
            continue;
        }
        std::string reason = "write failed";
        if (complete && output->commit(reason)) {
            written += ", wrote " + output->final_path();
        } else {
            errors << prefix << "cannot write " << output->final_path() << ": " << reason << '\n';
            all_written = false;
        }
    }
    report << prefix << periodic_events << " ticks, " << frames << " frames" << written << '\n';
    return all_written ? status : 1;
}

int render_entry(int argc, const char* const* argv, std::ostream& out, std::ostream& errors)
{
    const std::string program = argc > 0 && argv[0][0] ? fs::path(argv[0]).filename().string() : "tavro-render";
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
            out << program << " (TAVRO " << TAVRO_VERSION << ")\n";
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
