// Animation modes, the logging switch and the text window's visibility.
#pragma once

// 0 halt, 1 one frame owed, 2 animate, 5 force quit; other codes change nothing.
// Returns 0 without a graphics window, otherwise 1.
int set_run_mode(int code);
// Sets logging and its check mark; turning it on also shows the text window.
int set_logging(bool on);
void show_text_window(bool on);
