// Recording the events the wait returns into "TAVRO.SCR", and playing them back.
#pragma once

extern const char* const SCRIPT_FILE_NAME;

// Appends the line of one event; a periodic line takes its count from periodic_count.
void write_script_line(int kind, int x, int y, char key);
// Sets the current event from the script and returns 1, or returns 0 when it has none.
int read_script_event();
void stop_playback();
void close_script_file();

// Parses one script line into the current event; false when its kind is not recognised.
bool parse_script_line(const char* line);
