#include "script.h"

#include "support/file_handle.h"
#include "package_state.h"
#include "session_state.h"
#include "text_window.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace tavro {

const char* const SCRIPT_FILE_NAME = "TAVRO.SCR";

namespace {

constexpr int LINE_HOLDER_SIZE = 512;   // a longer line is taken in pieces of 511
constexpr int NUMBER_HOLDER_SIZE = 12;  // 11 characters and a terminator
constexpr int KIND_POSITION = 6;        // the seventh character decides the line's kind

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_signed_digit(char c) { return is_digit(c) || c == '-'; }

// Scans from *cursor to the first character that may begin a number, takes the
// run of characters that may belong to it (at most 11 of them are kept) and
// leaves *cursor after the whole run. The value is an optional minus and the
// digits after it; a line with no number gives 0, values beyond int are clamped.
int scan_number(const char*& cursor, bool (*belongs)(char))
{
    while (*cursor != '\0' && !belongs(*cursor)) {
        ++cursor;
    }
    char holder[NUMBER_HOLDER_SIZE] = {};
    int length = 0;
    while (*cursor != '\0' && belongs(*cursor)) {
        if (length < NUMBER_HOLDER_SIZE - 1) {
            holder[length++] = *cursor;
        }
        ++cursor;
    }
    const char* p = holder;
    const bool negative = *p == '-';
    if (negative) {
        ++p;
    }
    long long value = 0;
    while (is_digit(*p)) {
        value = value * 10 + (*p - '0');
        ++p;
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

ScriptFileState& file_state = session_state().script_file;
FileHandle& script_file = file_state.file;
bool& script_file_writing = file_state.writing;
bool& script_file_failed = file_state.failed;
bool& lines_lost = file_state.lines_lost;
std::string& playback_file = file_state.playback_file;

bool is_empty_line(const char* line) { return std::strcmp(line, "\n") == 0 || std::strcmp(line, "\r\n") == 0; }

// A folder of that name opens on some systems but has no lines: it counts as no script file.
void open_script_file(const char* mode, bool writing)
{
    const std::string path = writing ? SCRIPT_FILE_NAME : playback_file;
    std::error_code error;
    const bool folder = std::filesystem::is_directory(path, error);
    script_file.reset(folder ? nullptr : std::fopen(path.c_str(), mode));
    script_file_writing = writing && script_file;
    script_file_failed = false;
}

// Said once per file: a full disk would otherwise fill the text window with the same line.
void report_write_failure()
{
    if (!script_file_failed) {
        text_window_printf("Cannot write script file %s\n", SCRIPT_FILE_NAME);
    }
    script_file_failed = true;
    lines_lost = true;
}

bool end_of_script()
{
    text_window_printf("EOF encountered in script file %s\n", SCRIPT_FILE_NAME);
    stop_playback();
    return false;
}

// Reads the next line that is not empty; false when a read gets nothing, so a last line
// without a line feed is still played.
bool read_line(char (&line)[LINE_HOLDER_SIZE])
{
    std::FILE* file = script_file.get();
    do {
        if (std::fgets(line, LINE_HOLDER_SIZE, file) == nullptr) {
            return false;
        }
    } while (is_empty_line(line));
    return true;
}

// Appends the line of one event; a periodic line takes its count from the pending run. A file
// still open from a playback is reopened for writing, so the recording is kept.
void write_script_line(int kind, int x, int y, char key)
{
    if (!script_file || !script_file_writing) {
        open_script_file("w", true);
        if (!script_file) {
            text_window_printf("Cannot open script file %s for writing\n", SCRIPT_FILE_NAME);
            return;
        }
    }
    if (script_file_failed) {
        return;
    }
    std::FILE* file = script_file.get();
    int written = 0;
    switch (kind) {
    case event_mouse:
        written = std::fprintf(file, "TAVRO_MOUSE(%d, %d);\n", x, y);
        break;
    case event_keyboard:
        written = std::fprintf(file, "TAVRO_KBD(%d);\n", static_cast<int>(static_cast<signed char>(key)));
        break;
    case event_periodic:
        written = std::fprintf(file, "TAVRO_PERIODIC(%d);\n", package_state.script.periodic_count);
        break;
    default:
        break;
    }
    if (written < 0) {
        report_write_failure();
    }
}

void write_periodic_run()
{
    int& count = package_state.script.periodic_count;
    if (count > 0) {
        write_script_line(event_periodic, 0, 0, 0);
    }
    count = 0;
}

}  // namespace

bool parse_script_line(const char* line)
{
    PendingEvent& event = package_state.event;
    if (std::strlen(line) <= KIND_POSITION) {
        return false;
    }
    const char* cursor = line + KIND_POSITION;
    switch (line[KIND_POSITION]) {
    case 'K':
        event.kind = event_keyboard;
        event.key = static_cast<char>(scan_number(cursor, is_signed_digit) & 0xff);
        return true;
    case 'M':
        event.kind = event_mouse;
        event.x = scan_number(cursor, is_signed_digit);
        event.y = scan_number(cursor, is_signed_digit);
        return true;
    case 'P': {
        event.kind = event_periodic;
        const int count = scan_number(cursor, is_digit);
        // A run holds at least the event of its own line.
        package_state.script.periodic_count = count > 1 ? count - 1 : 0;
        return true;
    }
    default:
        return false;
    }
}

void start_recording() { package_state.script.recording = true; }

void stop_recording()
{
    package_state.script.recording = false;
    write_periodic_run();
    close_script_file();
}

void start_playback() { package_state.script.playback = true; }

void stop_playback()
{
    package_state.script.playback = false;
    package_state.script.play_one = false;
}

void end_playback()
{
    package_state.script.playback = false;
    close_script_file();
}

void request_play_one() { package_state.script.play_one = true; }

void record_event(int kind, int x, int y, char key)
{
    if (kind == event_periodic) {
        ++package_state.script.periodic_count;
        return;
    }
    write_periodic_run();
    write_script_line(kind, x, y, key);
}

int read_script_event()
{
    ScriptModes& modes = package_state.script;
    if (!script_file) {
        open_script_file("r", false);
        if (!script_file) {
            text_window_printf("Cannot open script file %s for reading\n", SCRIPT_FILE_NAME);
            stop_playback();
            return 0;
        }
    }
    // A file held open by a recording has no line to give: treat it as ended.
    if (script_file_writing) {
        return end_of_script();
    }
    if (modes.periodic_count > 0) {
        --modes.periodic_count;
        package_state.event.kind = event_periodic;
        return 1;
    }
    char line[LINE_HOLDER_SIZE];
    if (!read_line(line)) {
        return end_of_script();
    }
    if (!parse_script_line(line)) {
        text_window_printf("Unrecognised line in script file %s\n", SCRIPT_FILE_NAME);
        stop_playback();
        return 0;
    }
    return 1;
}

void close_script_file()
{
    // Written lines may still wait in the buffer: only closing tells whether they were kept.
    if (script_file && script_file_writing && std::fclose(script_file.release()) != 0) {
        report_write_failure();
    }
    script_file.reset();
    script_file_writing = false;
    script_file_failed = false;
}

}  // namespace tavro
