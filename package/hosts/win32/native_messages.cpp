// Win32 host: translation between the platform's window messages and the package's.
#include "hosts/win32/native_messages.h"

namespace tavro {

namespace {

struct KindPair {
    UINT native;
    MessageKind kind;
};

constexpr KindPair KINDS[] = {
    {WM_CREATE, MessageKind::create},   {WM_SIZE, MessageKind::size},
    {WM_PAINT, MessageKind::paint},     {WM_LBUTTONDOWN, MessageKind::left_button_down},
    {WM_CHAR, MessageKind::character},  {WM_KEYDOWN, MessageKind::key_down},
    {WM_KEYUP, MessageKind::key_up},    {WM_COMMAND, MessageKind::command},
    {WM_TIMER, MessageKind::timer},     {WM_CLOSE, MessageKind::close},
    {WM_DESTROY, MessageKind::destroy}, {WM_QUIT, MessageKind::quit},
};

}  // namespace

Message neutral_message(WindowId window, UINT message, WPARAM wparam, LPARAM lparam)
{
    Message result;
    result.window = window;
    result.kind = MessageKind::other;
    for (const KindPair& pair : KINDS) {
        if (pair.native == message) {
            result.kind = pair.kind;
        }
    }
    result.param = static_cast<int>(wparam);
    result.native = lparam;
    if (message == WM_LBUTTONDOWN) {
        // Left unmasked: the package keeps the low 16 bits of each half.
        result.x = static_cast<int>(lparam);
        result.y = static_cast<int>(lparam >> 16);
    }
    return result;
}

NativeMessage native_message(const Message& message)
{
    NativeMessage result;
    for (const KindPair& pair : KINDS) {
        if (pair.kind == message.kind) {
            result.message = pair.native;
        }
    }
    result.wparam = static_cast<WPARAM>(message.param);
    result.lparam = message.native;
    if (message.kind == MessageKind::left_button_down) {
        result.lparam = MAKELPARAM(message.x, message.y);
    }
    return result;
}

}  // namespace tavro
