#include "event_wait.h"

#include "package_state.h"
#include "platform.h"
#include "script.h"

namespace {

WaitObserver wait_observer;

bool event_pending()
{
    const PackageState& s = package_state;
    return s.event_kind == event_none || (s.event_kind == event_periodic && !s.tick_seen);
}

void record_event()
{
    PackageState& s = package_state;
    if (s.event_kind == event_periodic) {
        ++s.periodic_count;
        return;
    }
    if (s.periodic_count > 0) {
        write_script_line(event_periodic, 0, 0, 0);
        s.periodic_count = 0;
    }
    write_script_line(s.event_kind, s.event_x, s.event_y, s.event_key);
}

}  // namespace

void set_wait_observer(WaitObserver observer) { wait_observer = std::move(observer); }

bool pump_one_message()
{
    PackageState& s = package_state;
    tavro::Host& host = tavro::platform_host();
    tavro::Message message;
    const bool took = host.take_message(message);
    if (took && message.kind == tavro::MessageKind::quit) {
        s.event_kind = event_quit;
        return true;
    }
    if (took) {
        host.dispatch(message);
    }
    if (s.image_dirty) {
        host.present();
        s.image_dirty = 0;
    }
    return took;
}

int next_event(int& x, int& y, char& key)
{
    PackageState& s = package_state;
    if (wait_observer.wait_started) {
        wait_observer.wait_started();
    }
    s.event_kind = event_none;
    s.event_key = 0;
    s.event_y = 0;
    s.event_x = 0;
    do {
        const bool took = pump_one_message();
        // A quit taken in this turn is never replaced by a script event.
        if ((s.play_one || s.playback) && s.event_kind != event_quit) {
            s.play_one = false;
            if (read_script_event()) {
                break;
            }
            s.play_one = false;
            s.playback = false;
        }
        if ((s.single_step || s.animate) && s.event_kind == event_none) {
            s.tick_seen = false;
            s.event_kind = event_periodic;
            s.single_step = false;
        }
        // Nothing can produce an event before the next message: sleep in the host.
        if (!took && event_pending() && !s.playback && !s.play_one) {
            tavro::platform_host().wait_for_message(s.event_kind == event_periodic);
        }
    } while (event_pending());

    if (s.recording) {
        record_event();
    }
    x = s.event_x;
    y = s.event_y;
    key = s.event_key;
    const int kind = s.forced_quit ? event_quit : s.event_kind;
    if (kind == event_periodic) {
        tavro::platform_host().periodic_event_returned();
    }
    if (wait_observer.wait_returned) {
        wait_observer.wait_returned(kind);
    }
    return kind;
}
