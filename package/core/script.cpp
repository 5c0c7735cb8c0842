#include "core/script.h"

#include "core/commands.h"

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

bool is_empty_line(const char* line) { return std::strcmp(line, "\n") == 0 || std::strcmp(line, "\r\n") == 0; }

// Reads the next line that is not empty; false when a read gets nothing, so a last line
// without a line feed is still played.
bool read_line(std::FILE* file, char (&line)[LINE_HOLDER_SIZE])
{
    do {
        if (std::fgets(line, LINE_HOLDER_SIZE, file) == nullptr) {
            return false;
        }
    } while (is_empty_line(line));
    return true;
}

}  // namespace

// A folder of that name opens on some systems but has no lines: it counts as no script file.
void Script::open_file(const char* mode, bool writing)
{
    const std::string path = writing ? SCRIPT_FILE_NAME : playback_file_;
    std::error_code error;
    const bool folder = std::filesystem::is_directory(path, error);
    file_.reset(folder ? nullptr : std::fopen(path.c_str(), mode));
    writing_ = writing && file_;
    failed_ = false;
}

// Said once per file: a full disk would otherwise fill the text window with the same line.
void Script::report_write_failure()
{
    if (!failed_) {
        text_.printf("Cannot write script file %s\n", SCRIPT_FILE_NAME);
    }
    failed_ = true;
    lines_lost_ = true;
}

bool Script::end_of_script()
{
    text_.printf("EOF encountered in script file %s\n", SCRIPT_FILE_NAME);
    stop_playback();
    return false;
}

// Appends the line of one event; a periodic line takes its count from the pending run. A file
// still open from a playback is reopened for writing, so the recording is kept.
void Script::write_line(int kind, int x, int y, char key)
{
    if (!file_ || !writing_) {
        open_file("w", true);
        if (!file_) {
            text_.printf("Cannot open script file %s for writing\n", SCRIPT_FILE_NAME);
            return;
        }
    }
    if (failed_) {
        return;
    }
    std::FILE* file = file_.get();
    int written = 0;
    switch (kind) {
    case event_mouse:
        written = std::fprintf(file, "TAVRO_MOUSE(%d, %d);\n", x, y);
        break;
    case event_keyboard:
        written = std::fprintf(file, "TAVRO_KBD(%d);\n", static_cast<int>(static_cast<signed char>(key)));
        break;
    case event_periodic:
        written = std::fprintf(file, "TAVRO_PERIODIC(%d);\n", periodic_count_);
        break;
    default:
        break;
    }
    if (written < 0) {
        report_write_failure();
    }
}

void Script::write_periodic_run()
{
    if (periodic_count_ > 0) {
        write_line(event_periodic, 0, 0, 0);
    }
    periodic_count_ = 0;
}

bool Script::parse_line(const char* line, Event& event)
{
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
        periodic_count_ = count > 1 ? count - 1 : 0;
        return true;
    }
    default:
        return false;
    }
}

void Script::switch_recording()
{
    if (recording_) {
        recording_ = false;
        write_periodic_run();
        close_file();
    } else {
        recording_ = true;
    }
    platform_host().check_menu_item(COMMAND_RECORD, recording_);
}

void Script::switch_playback()
{
    if (playback_) {
        playback_ = false;
        close_file();
    } else {
        playback_ = true;
    }
    platform_host().check_menu_item(COMMAND_PLAYBACK, playback_);
}

// Stops playback and a play-one request; the file stays open at its position.
void Script::stop_playback()
{
    playback_ = false;
    play_one_ = false;
}

void Script::record(int kind, int x, int y, char key)
{
    if (kind == event_periodic) {
        ++periodic_count_;
        return;
    }
    write_periodic_run();
    write_line(kind, x, y, key);
}

bool Script::play(Event& event)
{
    play_one_ = false;
    if (read_event(event)) {
        return true;
    }
    platform_host().check_menu_item(COMMAND_PLAYBACK, false);
    return false;
}

bool Script::read_event(Event& event)
{
    if (!file_) {
        open_file("r", false);
        if (!file_) {
            text_.printf("Cannot open script file %s for reading\n", SCRIPT_FILE_NAME);
            stop_playback();
            return false;
        }
    }
    // A file held open by a recording has no line to give: treat it as ended.
    if (writing_) {
        return end_of_script();
    }
    if (periodic_count_ > 0) {
        --periodic_count_;
        event.kind = event_periodic;
        return true;
    }
    char line[LINE_HOLDER_SIZE];
    if (!read_line(file_.get(), line)) {
        return end_of_script();
    }
    if (!parse_line(line, event)) {
        text_.printf("Unrecognised line in script file %s\n", SCRIPT_FILE_NAME);
        stop_playback();
        return false;
    }
    return true;
}

void Script::close_file()
{
    // Written lines may still wait in the buffer: only closing tells whether they were kept.
    if (file_ && writing_ && std::fclose(file_.release()) != 0) {
        report_write_failure();
    }
    file_.reset();
    writing_ = false;
    failed_ = false;
}

}  // namespace tavro
