// Recording the events the wait returns into "TAVRO.SCR", and playing them back. The modes
// are package_state.script; the Run menu switches them here and shows them with its check marks.
#pragma once

namespace tavro {

// The script's name in messages, and the file a recording writes.
extern const char* const SCRIPT_FILE_NAME;

// Recording starts with no file: the first line opens it, so a recording that writes
// nothing leaves an existing file untouched.
void start_recording();
// Writes the pending periodic run, then closes the file.
void stop_recording();
void start_playback();
// Stops playback and a play-one request; the file stays open at its position.
void stop_playback();
// Stops playback from the menu: the next playback reads the file afresh.
void end_playback();
void request_play_one();

// The recorder: a periodic event adds to the pending run; any other event writes that run
// first, then its own line (a quit writes none).
void record_event(int kind, int x, int y, char key);
// Sets the pending event from the script and returns 1, or returns 0 when it has none,
// which stops playback.
int read_script_event();
void close_script_file();

// Parses one script line into the pending event; false when its kind is not recognised.
bool parse_script_line(const char* line);

}  // namespace tavro
