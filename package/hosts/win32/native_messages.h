// Win32 host: the platform's window messages in the package's neutral terms, and back.
//
// Dependencies: user32 message constants only.
// Known limits: messages the package has no name for become MessageKind::other.
#pragma once

#include "seam/host.h"

#include <windows.h>

namespace tavro {

Message neutral_message(WindowId window, UINT message, WPARAM wparam, LPARAM lparam);

struct NativeMessage {
    UINT message = WM_NULL;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
};

// The platform message that posting a neutral one sends.
NativeMessage native_message(const Message& message);

}  // namespace tavro
