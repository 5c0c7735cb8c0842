// The queue of neutral messages that a host fills from its input and the core empties through
// take_message, the translation of key-downs into the characters they type, and the frame
// timer of a host that sleeps until its next tick. Shared by the headless, desktop and web hosts.
//
// Dependencies: the seam (seam/messages.h) only.
// Known limits: the queue is unbounded; input that the core does not take piles up.
#pragma once

#include "seam/host.h"

#include <algorithm>
#include <chrono>
#include <deque>

namespace tavro {

using MessageQueue = std::deque<Message>;

// Takes the first message of the queue; false when there is none.
inline bool take_first(MessageQueue& queue, Message& message)
{
    if (queue.empty()) {
        return false;
    }
    message = queue.front();
    queue.pop_front();
    return true;
}

// A key-down that types a character queues that character to be taken next, as the
// desktop's translation of a key message does.
inline void queue_translation(MessageQueue& queue, const Message& message)
{
    if (message.kind == MessageKind::key_down && message.translated != 0) {
        queue.push_front(Message{message.window, MessageKind::character, message.translated});
    }
}

// The timer is kept by the host rather than as a toolkit timeout: a timeout runs when the
// toolkit next looks, often a whole period late. Here a tick is queued as soon as it is
// due, and the host sleeps exactly until then.
class TickTimer {
public:
    using Clock = std::chrono::steady_clock;

    void start(int id, int period_ms)
    {
        id_ = id;
        period_ = std::chrono::milliseconds(period_ms);
        next_ = Clock::now() + period_;
        running_ = true;
    }
    void stop() { running_ = false; }
    bool running() const { return running_; }
    // Time left until the next tick is due (none when it is due now).
    Clock::duration until_tick() const { return std::max(next_ - Clock::now(), Clock::duration::zero()); }

    // Queues the timer message when a tick is due; true if it did. Like a real timer, at most
    // one tick is pending: a late one does not make a burst.
    bool queue_due_tick(MessageQueue& queue)
    {
        const Clock::time_point now = Clock::now();
        if (!running_ || now < next_) {
            return false;
        }
        next_ += period_;
        if (next_ <= now) {
            next_ = now + period_;
        }
        queue.push_back(Message{WindowId::graphics, MessageKind::timer, id_});
        return true;
    }

private:
    bool running_ = false;
    int id_ = 0;
    Clock::duration period_{};
    Clock::time_point next_{};
};

}  // namespace tavro
