// FLTK desktop host: key presses and releases as queued key_down / key_up messages.
//
// Dependencies: FLTK's event state (Fl::event_key, event_text, event_state), key_translation.
// Known limits: key repeat arrives as repeated key-downs, as FLTK reports it.
#pragma once

#include "hosts/message_queue.h"

namespace tavro {

// Queues the key event FLTK is delivering for window; false (nothing queued) for
// any event but FL_KEYDOWN and FL_KEYUP.
bool queue_key_event(int event, WindowId window, MessageQueue& queue);

}  // namespace tavro
