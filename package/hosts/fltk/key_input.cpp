// FLTK desktop host: key presses and releases as queued key_down / key_up messages.
//
// Dependencies: FLTK's event state, key_translation.
// Known limits: see key_input.h.
#include "hosts/fltk/key_input.h"

#include "hosts/fltk/key_translation.h"

#include <FL/Fl.H>

namespace tavro {

bool queue_key_event(int event, WindowId window, MessageQueue& queue)
{
    if (event != FL_KEYDOWN && event != FL_KEYUP) {
        return false;
    }
    const int key = Fl::event_key();
    Message message{window, event == FL_KEYDOWN ? MessageKind::key_down : MessageKind::key_up, virtual_key_of(key)};
    if (event == FL_KEYDOWN) {
        message.translated =
            translated_character(key, Fl::event_text(), Fl::event_length(), Fl::event_state(FL_CTRL) != 0);
    }
    queue.push_back(message);
    return true;
}

}  // namespace tavro
