// A student's program that happens to define, at global scope, every name the package once kept
// there for itself: it links against each program library and runs, each name its own. Only the
// names of <tavro/display.h> are the package's.
#include <tavro/display.h>

#include <cstdarg>
#include <cstddef>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

// Variables, external as the package's were (a const one is internal unless said otherwise).
extern const char* const colour_names[] = {"mine"};
extern const int colour_values[] = {7};
extern const char* const SCRIPT_FILE_NAME = "MINE.SCR";
extern const char* const NO_ANSWER_LEFT_LINE = "none left";
int package_state = 1;
extern const int run_menu_items[] = {1, 2};

// Classes, with members of the signatures the package's had.
struct RenderOptions {
    ~RenderOptions() {}
    long long tick_limit() const;
};
long long RenderOptions::tick_limit() const { return 5; }

class DialogAnswers {
public:
    static DialogAnswers from_lines(const std::string& text);
    void answer(char* reply, std::size_t reply_size);
    std::size_t given = 0;
};
DialogAnswers DialogAnswers::from_lines(const std::string& text)
{
    DialogAnswers answers;
    answers.given = text.size();
    return answers;
}
void DialogAnswers::answer(char* reply, std::size_t reply_size) { std::strncpy(reply, "mine", reply_size); }

class GifWriter {
public:
    GifWriter(const std::string& path, int width, int height, int delay);
    ~GifWriter();
    bool close();
    bool is_open() const;
    void put(const std::vector<unsigned char>& bytes);
    int frames = 0;
};
GifWriter::GifWriter(const std::string&, int, int, int) {}
GifWriter::~GifWriter() {}
bool GifWriter::close() { return true; }
bool GifWriter::is_open() const { return true; }
void GifWriter::put(const std::vector<unsigned char>& bytes) { frames += static_cast<int>(bytes.size()); }

class LogLine {
public:
    LogLine& append(const char* text, std::size_t limit);
    LogLine& append_whole(const char* text, std::size_t length);
    LogLine& operator<<(int value);
    void put();
    int length = 0;
};
LogLine& LogLine::append(const char*, std::size_t limit) { return append_whole(nullptr, limit); }
LogLine& LogLine::append_whole(const char*, std::size_t size)
{
    length += static_cast<int>(size);
    return *this;
}
LogLine& LogLine::operator<<(int value) { return append_whole(nullptr, static_cast<std::size_t>(value)); }
void LogLine::put() {}

class LzwEncoder {
public:
    ~LzwEncoder();
    void encode(const unsigned char* pixels, std::size_t count, std::vector<unsigned char>& out);
    void put(unsigned code);
    void reset();
};
LzwEncoder::~LzwEncoder() {}
void LzwEncoder::encode(const unsigned char*, std::size_t count, std::vector<unsigned char>& out) { out.resize(count); }
void LzwEncoder::put(unsigned) {}
void LzwEncoder::reset() {}

class OutputFile {
public:
    bool commit(std::string& reason);
    bool create(std::string& reason);
};
bool OutputFile::commit(std::string& reason) { return reason.empty(); }
bool OutputFile::create(std::string& reason) { return reason.empty(); }

class ScratchPath {
public:
    ~ScratchPath();
    void adopt(const std::string& path);
    void release();
};
ScratchPath::~ScratchPath() {}
void ScratchPath::adopt(const std::string&) {}
void ScratchPath::release() {}

class RenderOutputs {
public:
    struct Output {
        ~Output();
    };
    ~RenderOutputs();
    void abandon();
    void flush_log();
    void log_line(const std::string& line);
    bool open(const RenderOptions& options, std::ostream& out, const std::string& prefix, std::ostream& errors);
    bool open_output(const std::string& given, Output& output, std::string& reason);
};
RenderOutputs::Output::~Output() {}
RenderOutputs::~RenderOutputs() {}
void RenderOutputs::abandon() {}
void RenderOutputs::flush_log() {}
void RenderOutputs::log_line(const std::string&) {}
bool RenderOutputs::open(const RenderOptions&, std::ostream&, const std::string&, std::ostream&) { return true; }
bool RenderOutputs::open_output(const std::string&, Output&, std::string&) { return true; }

struct SessionState {
    ~SessionState() {}
};

// Functions.
int calls = 0;
void build_run_menu() { ++calls; }
int close_display() { return ++calls; }
void close_script_file() { ++calls; }
void* copy_text(const char*) { return nullptr; }
void end_on_failure(const std::string&) { ++calls; }
void end_playback() { ++calls; }
int format_text(char (&buffer)[1024], const char*, std::va_list) { return static_cast<int>(sizeof buffer); }
int next_event(int& x, int& y, char& key) { return x + y + key; }
int open_display(void*, void*, const char*, int) { return ++calls; }
bool output_target(const std::string&, std::string&) { return true; }
unsigned char palette_index(unsigned char r, unsigned char g, unsigned char b) { return r + g + b; }
bool parse_render_options(int, const char* const*, std::string&) { return true; }
bool parse_script_line(const char*) { return true; }
bool parse_start_time(const std::string&, const std::string&, std::string&) { return true; }
int process_entry(void*, void*, const char*, int) { return ++calls; }
bool pump_one_message() { return true; }
int read_script_event() { return ++calls; }
void record_event(int, int, int, char) { ++calls; }
int render_entry(int, const char* const*, std::ostream&, std::ostream&) { return ++calls; }
std::string render_usage(const std::string& program) { return program; }
std::string render_usage_line(const std::string& program) { return program; }
int report_illegal_colour(int colour) { return colour; }
void request_play_one() { ++calls; }
int run_application_entry(void*, void*, const char*, int) { return ++calls; }
void run_command(int id) { calls += id; }
int run_render(const RenderOptions&, const std::string&, std::ostream&, std::ostream&) { return ++calls; }
bool same_file(const std::string& a, const std::string& b) { return a == b; }
int session_state() { return 11; }
void set_check_mark(int id, bool) { calls += id; }
int set_logging(bool on) { return on ? 1 : 0; }
int set_run_mode(int code) { return code; }
int shortcut_command(int key) { return key; }
void show_text_window(bool) { ++calls; }
std::vector<std::string> split_lines(const std::string& text) { return {text}; }
void start_playback() { ++calls; }
void start_recording() { ++calls; }
void stop_playback() { ++calls; }
void stop_recording() { ++calls; }
int text_history() { return 12; }
int text_window_printf(const char*, ...) { return 13; }
void text_window_put(const char*) { ++calls; }
void text_window_put_line(const char*) { ++calls; }
void text_window_replay_history() { ++calls; }

namespace {

// Each of the program's own names gives what the program defined, after the package has run.
bool own_names_hold()
{
    std::string reason;
    return std::strcmp(colour_names[0], "mine") == 0 && colour_values[0] == 7 && package_state == 1 &&
           run_menu_items[1] == 2 && std::strcmp(SCRIPT_FILE_NAME, "MINE.SCR") == 0 &&
           std::strcmp(NO_ANSWER_LEFT_LINE, "none left") == 0 && session_state() == 11 && text_history() == 12 &&
           text_window_printf("%d", 1) == 13 && set_run_mode(4) == 4 && RenderOptions{}.tick_limit() == 5 &&
           OutputFile{}.create(reason) && same_file("a", "a");
}

}  // namespace

int application_main()
{
    Display display;
    display.draw_rectangle(-100, 50, 100, -50, COLOUR_BLUE, 0);
    display.set_animation_mode(animation_animate);
    int x = 0;
    int y = 0;
    char key = 0;
    // One frame shown (or a quit, when the render entry's ticks are used up), then the end.
    int kind = 0;
    do {
        kind = display.wait_for_event(x, y, key);
    } while (kind != event_periodic && kind != event_quit);
    return own_names_hold() ? 0 : 3;
}
