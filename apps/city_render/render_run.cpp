#include "render_run.h"

#include "cairo_canvas.h"
#include "display.h"
#include "event_wait.h"
#include "gif_writer.h"
#include "headless_host.h"
#include "run_menu.h"
#include "session.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <stdlib.h>

namespace fs = std::filesystem;

namespace {

constexpr int CENTISECONDS_PER_TICK = 10;
constexpr int NORMAL_SHOW_COMMAND = 1;

std::string absolute_or_empty(const std::string& path)
{
    return path.empty() ? path : fs::absolute(path).string();
}

// A scratch folder holding the script as "TAVRO.SCR", the current directory while it lives.
class ScriptFolder {
public:
    explicit ScriptFolder(const std::string& script)
    {
        std::string pattern = (fs::temp_directory_path() / "city-render-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            throw std::runtime_error("cannot create a scratch folder");
        }
        folder_ = pattern;
        fs::copy_file(script, folder_ / "TAVRO.SCR");
        previous_ = fs::current_path();
        fs::current_path(folder_);
    }
    ~ScriptFolder()
    {
        std::error_code ignored;
        fs::current_path(previous_, ignored);
        fs::remove_all(folder_, ignored);
    }
    ScriptFolder(const ScriptFolder&) = delete;
    ScriptFolder& operator=(const ScriptFolder&) = delete;

private:
    fs::path folder_;
    fs::path previous_;
};

}  // namespace

int run_city_render(const RenderOptions& options, std::ostream& report)
{
    tavro::HeadlessHost& host = tavro::headless_host();
    const std::string log_path = absolute_or_empty(options.log);
    const std::string png_path = absolute_or_empty(options.png);
    const std::string gif_path = absolute_or_empty(options.gif);

    host.set_start_time(options.start_time ? *options.start_time : std::time(nullptr));
    host.set_keep_text_lines(false);
    std::ofstream log;
    if (!log_path.empty()) {
        log.open(log_path);
        host.set_text_line_sink([&log](const std::string& line) { log << line << '\n'; });
        host.choose_menu(COMMAND_LOGGING);
    }

    std::unique_ptr<GifWriter> gif;
    if (!gif_path.empty()) {
        gif = std::make_unique<GifWriter>(gif_path, tavro::HeadlessHost::CLIENT_WIDTH,
                                          tavro::HeadlessHost::CLIENT_HEIGHT,
                                          static_cast<int>(options.gif_every * CENTISECONDS_PER_TICK));
    }

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
        if (kind == event_periodic && ++periodic_events == options.ticks) {
            host.post_quit(0);
        }
    };
    set_wait_observer(observer);

    std::unique_ptr<ScriptFolder> script_folder;
    if (options.ticks == 0) {
        host.post_quit(0);
    } else if (!options.script.empty()) {
        script_folder = std::make_unique<ScriptFolder>(options.script);
        host.choose_menu(COMMAND_PLAYBACK);
    }

    process_entry(nullptr, nullptr, "", NORMAL_SHOW_COMMAND);
    take_frame();
    set_wait_observer({});
    script_folder.reset();

    bool written = true;
    if (log.is_open()) {
        log.close();
        written = written && !log.fail();
    }
    if (gif) {
        written = gif->close() && written;
    }
    if (!png_path.empty()) {
        written = host.write_client_png(png_path) && written;
    }
    report << "city-render: " << periodic_events << " ticks, " << frames << " frames";
    for (const std::string* path : {&png_path, &gif_path, &log_path}) {
        if (!path->empty()) {
            report << ", wrote " << *path;
        }
    }
    report << '\n';
    return written ? 0 : 1;
}
