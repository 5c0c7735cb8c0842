// FLTK desktop host: the queue of neutral messages that the windows fill from
// FLTK events and the core empties through take_message.
//
// Dependencies: the seam (platform.h) only.
// Known limits: unbounded; input that the core does not take piles up.
#pragma once

#include "platform.h"

#include <deque>

namespace tavro {

using MessageQueue = std::deque<Message>;

}  // namespace tavro
