// The seam, its messages: what a host turns its windowing system's events into and hands to the
// package's window procedures (dispatch_message), one at a time.
#pragma once

#include <cstdint>

namespace tavro {

enum class WindowId { graphics = 1, text = 2 };

enum class MessageKind {
    create,            // sent once while the window is being created
    size,              // the client area has a new size (read it with client_rect)
    paint,             // the window must be repainted
    left_button_down,  // x, y: client pixel of the press
    character,         // param: the character code (0..255)
    key_down,          // param: virtual key (Ctrl 17, letters 65..90); translated: its character or 0
    key_up,            // param: virtual key
    command,           // param: menu command identifier
    timer,             // param: timer identifier
    close,             // the user asked to close the window
    destroy,           // the window is being destroyed
    quit,              // the thread's quit message; param: exit code
    other,             // a platform message the package has no name for
};

// The virtual key of Ctrl in key_down and key_up messages; letters are their capitals' codes.
constexpr int VIRTUAL_KEY_CONTROL = 17;

struct Message {
    WindowId window = WindowId::graphics;
    MessageKind kind = MessageKind::paint;
    int param = 0;
    // left_button_down: client pixel as the platform packs it, two unsigned 16-bit halves of one
    // parameter; the handler keeps only the low 16 bits of each, so a host may pass them unmasked.
    int x = 0;
    int y = 0;
    int translated = 0;  // key_down: the character translation would give (Ctrl+A gives 1), 0 for none
    // The platform's own second message word (a key's repeat count and scan code), kept when a
    // handler forwards the message, so the platform translates the forwarded key as the original.
    std::intptr_t native = 0;
};

// The package's window procedures: hands one message to the handler of its window;
// false when the handler declined it and the platform's default processing applies.
bool dispatch_message(const Message& message);

}  // namespace tavro
