// What the wait produces and whether drawing calls are logged: switched by the Run menu's
// commands and the application's animation mode, read by the wait and the primitives.
#pragma once

#include "seam/host.h"

namespace tavro {

// The run modes; the first three have the values of the animation modes they carry out.
enum RunModeCode {
    RUN_MODE_HALT = 0,
    RUN_MODE_ONE_FRAME = 1,  // one frame owed
    RUN_MODE_ANIMATE = 2,
    RUN_MODE_QUIT = 5,  // every later wait returns quit
};

class RunMode {
public:
    // Sets a RunModeCode; other codes change nothing.
    void set(int code);
    // No periodic event any more, none owed either.
    void halt()
    {
        animate_ = false;
        single_step_ = false;
    }
    void animate() { animate_ = true; }
    void stop_animating() { animate_ = false; }
    void advance_one_frame()
    {
        animate_ = false;
        single_step_ = true;
    }
    // Whether the wait makes a periodic event now; the one owed is then paid.
    bool take_periodic()
    {
        const bool periodic = animate_ || single_step_;
        single_step_ = false;
        return periodic;
    }
    bool animating() const { return animate_; }
    bool frame_owed() const { return single_step_; }
    bool quit_forced() const { return forced_quit_; }

    // The one place logging and its check mark change.
    void set_logging(bool on);
    void switch_logging() { set_logging(!logging_); }
    bool logging() const { return logging_; }

private:
    bool logging_ = true;  // until the Display is made
    bool animate_ = false;
    bool single_step_ = false;  // one periodic event is owed
    bool forced_quit_ = false;
};

}  // namespace tavro
