// Animation modes, the logging switch and the text window's visibility.
#pragma once

namespace tavro {

// The run modes; the first three have the values of the animation modes they carry out.
enum RunModeCode {
    RUN_MODE_HALT = 0,
    RUN_MODE_ONE_FRAME = 1,  // one frame owed
    RUN_MODE_ANIMATE = 2,
    RUN_MODE_QUIT = 5,  // every later wait returns quit
};

// Sets a RunModeCode; other codes change nothing. Returns 0 without a graphics window, otherwise 1.
int set_run_mode(int code);
// Sets logging and its check mark; turning it on also shows the text window.
int set_logging(bool on);
void show_text_window(bool on);

}  // namespace tavro
