// The event wait: one message per turn, until an event is assembled.
#pragma once

#include <functional>

int next_event(int& x, int& y, char& key);
// One turn of the message loop; true when it took a message.
bool pump_one_message();

// Lets a tool watch the waits (a renderer counting periodic events, say); the
// package's behaviour does not change.
struct WaitObserver {
    std::function<void()> wait_started;
    std::function<void(int kind)> wait_returned;
    // Playback found no more events (the script ended, or could not be read on).
    std::function<void()> playback_ended;
};
void set_wait_observer(WaitObserver observer);
