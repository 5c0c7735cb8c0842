// The part that the headless, desktop and web hosts share: each keeps its own queue of
// neutral messages, which its input fills and the core empties through take_message.
//
// Posting, quitting and dispatch live here, with the first size message that showing the
// graphics window delivers and the close that destroys a window when the package declines
// it. A derived host creates, shows and destroys its windows and says how it waits.
//
// Dependencies: the seam (seam/host.h) and the message queue (hosts/message_queue.h).
// Known limits: the queue is unbounded (see message_queue.h).
#pragma once

#include "hosts/message_queue.h"
#include "seam/host.h"

namespace tavro {

class QueueHost : public Host {
public:
    // The two halves of dispatch: a key-down queues its character to be taken next; closing a
    // window destroys it and delivers its destroy message (default processing of a message the
    // package declined).
    void translate(const Message& message);
    void default_handling(const Message& message);

    ClientRect client_rect() override;
    void acquire_window_dc() override {}
    void release_window_dc() override {}
    bool take_message(Message& message) override;
    void dispatch(const Message& message) override;
    void post(const Message& message) override;
    void post_quit(int exit_code) override;
    void end_paint(WindowId) override {}

protected:
    MessageQueue& queue() { return queue_; }
    const MessageQueue& queue() const { return queue_; }
    // Called by a derived host once its graphics window exists: delivers the create message.
    void graphics_window_created();
    // Called each time a derived host shows its graphics window: the first time delivers size.
    void graphics_window_shown();
    // Destroys the window if it exists; false when there is none to destroy (or it cannot be).
    virtual bool destroy_window(WindowId window) = 0;

    // Forgets every queued message and that size was delivered, as for a host just made.
    void clear_queue()
    {
        queue_.clear();
        size_delivered_ = false;
    }

    // A virtual clock: start_seconds plus one second per TICKS_PER_SECOND periodic events.
    static long long virtual_time(long long start_seconds, long long periodic_events);

private:
    MessageQueue queue_;
    bool size_delivered_ = false;
};

}  // namespace tavro
