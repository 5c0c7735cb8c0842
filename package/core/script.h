// Recording the events the wait returns into "TAVRO.SCR", and playing them back. The Run menu
// switches the modes here, and each switch sets its own check mark.
#pragma once

#include "core/event.h"
#include "core/text_window.h"
#include "support/file_handle.h"

#include <string>

namespace tavro {

// The script's name in messages, and the file a recording writes.
extern const char* const SCRIPT_FILE_NAME;

class Script {
public:
    explicit Script(Console& text) : text_(text) {}

    // Recording starts with no file: the first line opens it, so a recording that writes nothing
    // leaves an existing file untouched. Stopping writes the pending periodic run, then closes it.
    void switch_recording();
    // Starts playback, or stops it; a stopped playback reads the file afresh next time.
    void switch_playback();
    void request_play_one() { play_one_ = true; }
    bool recording() const { return recording_; }
    bool playing() const { return playback_; }
    // Whether the next turn of the wait takes its event from the script.
    bool plays() const { return playback_ || play_one_; }

    // The recorder: a periodic event adds to the pending run; any other event writes that run
    // first, then its own line (a quit writes none).
    void record(int kind, int x, int y, char key);
    // Puts the script's next event into event and returns true; false when it has none, which
    // stops playback and clears its check mark.
    bool play(Event& event);
    // Parses one script line into event; false when its kind is not recognised.
    bool parse_line(const char* line, Event& event);
    void close_file();

    // The file playback reads: a tool's script, read where it is whatever the program's working folder.
    void set_playback_file(const std::string& path) { playback_file_ = path; }
    // True once a recording could not write or close its file: lines were lost.
    bool lines_lost() const { return lines_lost_; }

private:
    bool read_event(Event& event);
    void stop_playback();
    void open_file(const char* mode, bool writing);
    void report_write_failure();
    bool end_of_script();
    void write_line(int kind, int x, int y, char key);
    void write_periodic_run();

    Console& text_;
    bool recording_ = false;
    bool playback_ = false;
    bool play_one_ = false;
    // Recording: periodic events seen since the last line; playing: those of the run still owed.
    int periodic_count_ = 0;
    // One handle serves both recording and playback: whichever opens the file first decides its mode.
    FileHandle file_;
    bool writing_ = false;  // the open file was opened for recording
    bool failed_ = false;   // a write to the open file failed: said once, nothing more written
    bool lines_lost_ = false;
    std::string playback_file_ = SCRIPT_FILE_NAME;
};

}  // namespace tavro
