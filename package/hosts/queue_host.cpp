// The shared part of the hosts that keep their own message queue. See queue_host.h.
#include "hosts/queue_host.h"

namespace tavro {

void QueueHost::translate(const Message& message) { queue_translation(queue_, message); }

void QueueHost::default_handling(const Message& message)
{
    if (message.kind == MessageKind::close && destroy_window(message.window)) {
        dispatch_message(Message{message.window, MessageKind::destroy});
    }
}

ClientRect QueueHost::client_rect() { return ClientRect{0, 0, CLIENT_WIDTH, CLIENT_HEIGHT}; }

bool QueueHost::take_message(Message& message) { return take_first(queue_, message); }

void QueueHost::dispatch(const Message& message)
{
    translate(message);
    if (!dispatch_message(message)) {
        default_handling(message);
    }
}

void QueueHost::post(const Message& message) { queue_.push_back(message); }

void QueueHost::post_quit(int exit_code)
{
    queue_.push_back(Message{WindowId::graphics, MessageKind::quit, exit_code});
}

void QueueHost::graphics_window_created()
{
    size_delivered_ = false;
    dispatch_message(Message{WindowId::graphics, MessageKind::create});
}

void QueueHost::graphics_window_shown()
{
    if (!size_delivered_) {
        size_delivered_ = true;
        dispatch_message(Message{WindowId::graphics, MessageKind::size});
    }
}

long long QueueHost::virtual_time(long long start_seconds, long long periodic_events)
{
    return start_seconds + periodic_events / TICKS_PER_SECOND;
}

}  // namespace tavro
