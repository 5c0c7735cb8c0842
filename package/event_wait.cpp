#include "event_wait.h"

#include "package_state.h"
#include "platform.h"
#include "run_menu.h"
#include "script.h"
#include "session_state.h"

namespace tavro {

namespace {

tavro::control::WaitObserver& wait_observer = session_state().wait_observer;

bool event_pending()
{
    const PendingEvent& event = package_state.event;
    return event.kind == event_none || (event.kind == event_periodic && !event.tick_seen);
}

}  // namespace

bool pump_one_message()
{
    tavro::Host& host = tavro::platform_host();
    tavro::Message message;
    const bool took = host.take_message(message);
    if (took && message.kind == tavro::MessageKind::quit) {
        package_state.event.kind = event_quit;
        return true;
    }
    if (took) {
        host.dispatch(message);
    }
    DisplayWindows& windows = package_state.windows;
    if (windows.image_dirty) {
        host.present();
        windows.image_dirty = 0;
    }
    return took;
}

int next_event(int& x, int& y, char& key)
{
    PendingEvent& event = package_state.event;
    RunMode& run = package_state.run;
    ScriptModes& script = package_state.script;
    if (wait_observer.wait_started) {
        wait_observer.wait_started();
    }
    event.kind = event_none;
    event.key = 0;
    event.y = 0;
    event.x = 0;
    do {
        const bool took = pump_one_message();
        // A quit taken in this turn is never replaced by a script event.
        if ((script.play_one || script.playback) && event.kind != event_quit) {
            script.play_one = false;
            if (read_script_event()) {
                break;
            }
            set_check_mark(COMMAND_PLAYBACK, false);
            if (wait_observer.playback_ended) {
                wait_observer.playback_ended();
            }
        }
        if ((run.single_step || run.animate) && event.kind == event_none) {
            event.tick_seen = false;
            event.kind = event_periodic;
            run.single_step = false;
        }
        // Nothing can produce an event before the next message: sleep in the host.
        if (!took && event_pending() && !script.playback && !script.play_one) {
            tavro::platform_host().wait_for_message(event.kind == event_periodic);
        }
    } while (event_pending());

    if (script.recording) {
        record_event(event.kind, event.x, event.y, event.key);
    }
    x = event.x;
    y = event.y;
    key = event.key;
    const int kind = run.forced_quit ? event_quit : event.kind;
    if (kind == event_periodic) {
        tavro::platform_host().periodic_event_returned();
    }
    if (wait_observer.wait_returned) {
        wait_observer.wait_returned(kind);
    }
    return kind;
}

}  // namespace tavro
