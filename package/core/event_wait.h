// The event wait: one message per turn, until an event is assembled.
#pragma once

#include "core/event.h"
#include "core/run_mode.h"
#include "core/script.h"
#include "core/windows.h"

#include <functional>

namespace tavro {

// Lets a tool watch the waits (a renderer counting periodic events and taking frames, say);
// the package's behaviour does not change. An empty observer watches nothing.
struct WaitObserver {
    std::function<void()> wait_started;
    std::function<void(int kind)> wait_returned;
    // Playback found no more events (the script ended, or could not be read on).
    std::function<void()> playback_ended;
};

class EventWait {
public:
    EventWait(Windows& windows, RunMode& run, Script& script) : windows_(windows), run_(run), script_(script) {}

    int next_event(int& x, int& y, char& key);
    // One turn of the message loop; true when it took a message.
    bool pump_one_message();
    void observe(WaitObserver observer) { observer_ = std::move(observer); }

    // What the window handlers put in wait.
    void put_mouse(int x, int y)
    {
        event_.kind = event_mouse;
        event_.x = x;
        event_.y = y;
    }
    void put_key(char key)
    {
        event_.kind = event_keyboard;
        event_.key = key;
    }
    // A timer tick arrived: a periodic event put in wait may be returned.
    void tick() { tick_seen_ = true; }

private:
    bool event_pending() const { return event_.kind == event_none || (event_.kind == event_periodic && !tick_seen_); }

    Windows& windows_;
    RunMode& run_;
    Script& script_;
    Event event_;
    bool tick_seen_ = false;  // a timer tick arrived since the periodic event was put in wait
    WaitObserver observer_;
};

}  // namespace tavro
