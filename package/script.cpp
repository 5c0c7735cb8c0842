#include "script.h"

#include "package_state.h"
#include "platform.h"
#include "run_menu.h"
#include "text_window.h"

#include <climits>
#include <cstring>
#include <filesystem>

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

bool is_empty_line(const char* line) { return std::strcmp(line, "\n") == 0 || std::strcmp(line, "\r\n") == 0; }

// A folder of that name opens on some systems but has no lines: it counts as no script file.
void open_script_file(const char* mode, bool writing)
{
    PackageState& s = package_state;
    std::error_code error;
    const bool folder = std::filesystem::is_directory(SCRIPT_FILE_NAME, error);
    s.script_file.reset(folder ? nullptr : std::fopen(SCRIPT_FILE_NAME, mode));
    s.script_file_writing = writing && s.script_file;
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
    std::FILE* file = package_state.script_file.get();
    do {
        if (std::fgets(line, LINE_HOLDER_SIZE, file) == nullptr) {
            return false;
        }
    } while (is_empty_line(line));
    return true;
}

}  // namespace

bool parse_script_line(const char* line)
{
    PackageState& s = package_state;
    if (std::strlen(line) <= KIND_POSITION) {
        return false;
    }
    const char* cursor = line + KIND_POSITION;
    switch (line[KIND_POSITION]) {
    case 'K':
        s.event_kind = event_keyboard;
        s.event_key = static_cast<char>(scan_number(cursor, is_signed_digit) & 0xff);
        return true;
    case 'M':
        s.event_kind = event_mouse;
        s.event_x = scan_number(cursor, is_signed_digit);
        s.event_y = scan_number(cursor, is_signed_digit);
        return true;
    case 'P': {
        s.event_kind = event_periodic;
        const int count = scan_number(cursor, is_digit);
        // A run holds at least the event of its own line.
        s.periodic_count = count > 1 ? count - 1 : 0;
        return true;
    }
    default:
        return false;
    }
}

void write_script_line(int kind, int x, int y, char key)
{
    PackageState& s = package_state;
    // A file still open from a playback is reopened for writing, so the recording is kept.
    if (!s.script_file || !s.script_file_writing) {
        open_script_file("w", true);
        if (!s.script_file) {
            text_window_printf("Cannot open script file %s for writing\n", SCRIPT_FILE_NAME);
            return;
        }
    }
    std::FILE* file = s.script_file.get();
    switch (kind) {
    case event_mouse:
        std::fprintf(file, "TAVRO_MOUSE(%d, %d);\n", x, y);
        break;
    case event_keyboard:
        std::fprintf(file, "TAVRO_KBD(%d);\n", static_cast<int>(static_cast<signed char>(key)));
        break;
    case event_periodic:
        std::fprintf(file, "TAVRO_PERIODIC(%d);\n", s.periodic_count);
        break;
    default:
        break;
    }
}

int read_script_event()
{
    PackageState& s = package_state;
    if (!s.script_file) {
        open_script_file("r", false);
        if (!s.script_file) {
            text_window_printf("Cannot open script file %s for reading\n", SCRIPT_FILE_NAME);
            stop_playback();
            return 0;
        }
    }
    // A file held open by a recording has no line to give: treat it as ended.
    if (s.script_file_writing) {
        return end_of_script();
    }
    if (s.periodic_count > 0) {
        --s.periodic_count;
        s.event_kind = event_periodic;
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

void stop_playback()
{
    PackageState& s = package_state;
    s.playback = false;
    s.play_one = false;
    tavro::platform_host().check_menu_item(COMMAND_PLAYBACK, false);
}

void close_script_file()
{
    package_state.script_file.reset();
    package_state.script_file_writing = false;
}
