#include "core/event_wait.h"

namespace tavro {

bool EventWait::pump_one_message()
{
    Host& host = platform_host();
    Message message;
    const bool took = host.take_message(message);
    if (took && message.kind == MessageKind::quit) {
        event_.kind = event_quit;
        return true;
    }
    if (took) {
        host.dispatch(message);
    }
    windows_.present_if_changed(host);
    return took;
}

int EventWait::next_event(int& x, int& y, char& key)
{
    if (observer_.wait_started) {
        observer_.wait_started();
    }
    event_ = Event{};
    do {
        const bool took = pump_one_message();
        // A quit taken in this turn is never replaced by a script event.
        if (script_.plays() && event_.kind != event_quit) {
            if (script_.play(event_)) {
                break;
            }
            if (observer_.playback_ended) {
                observer_.playback_ended();
            }
        }
        if (event_.kind == event_none && run_.take_periodic()) {
            tick_seen_ = false;
            event_.kind = event_periodic;
        }
        // Nothing can produce an event before the next message: sleep in the host.
        if (!took && event_pending() && !script_.plays()) {
            platform_host().wait_for_message(event_.kind == event_periodic);
        }
    } while (event_pending());

    if (script_.recording()) {
        script_.record(event_.kind, event_.x, event_.y, event_.key);
    }
    x = event_.x;
    y = event_.y;
    key = event_.key;
    const int kind = run_.quit_forced() ? event_quit : event_.kind;
    if (kind == event_periodic) {
        platform_host().periodic_event_returned();
    }
    if (observer_.wait_returned) {
        observer_.wait_returned(kind);
    }
    return kind;
}

}  // namespace tavro
