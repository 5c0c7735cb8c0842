// FLTK desktop host: what it tells of its run, so that a test can wait until a program has done
// with its input instead of waiting a fixed time. With TAVRO_RUN_REPORT set in the environment, a
// line "TAVRO run: N periodic events, sleeping|busy" goes to standard error each time either part
// changes. Sleeping means blocked with no periodic event wanted: only input can wake the program.
#pragma once

namespace tavro {

class RunReport {
public:
    RunReport();

    void periodic_event_returned();
    void set_sleeping(bool sleeping);

private:
    void tell() const;

    bool enabled_;
    long long periodic_events_ = 0;
    bool sleeping_ = false;
};

}  // namespace tavro
