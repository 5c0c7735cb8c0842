// The handlers of the graphics and the text window's messages.
#pragma once

#include "seam/host.h"

namespace tavro {

// Each returns true when it handled the message, false to leave it to the host.
bool graphics_window_proc(const tavro::Message& message);
bool text_window_proc(const tavro::Message& message);

}  // namespace tavro
