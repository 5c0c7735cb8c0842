#include "window_procs.h"

#include "package_state.h"
#include "run_menu.h"
#include "session_state.h"
#include "text_window.h"

namespace tavro {

namespace {

bool& ctrl_down = session_state().ctrl_down;

void copy_image_to_window()
{
    tavro::platform_host().present();
    package_state.windows.image_dirty = 0;
}

void handle_key_down(int virtual_key)
{
    if (virtual_key == VIRTUAL_KEY_CONTROL) {
        ctrl_down = true;
    } else if (ctrl_down) {
        run_command(shortcut_command(virtual_key));
    }
}

}  // namespace

bool graphics_window_proc(const Message& message)
{
    DisplayWindows& windows = package_state.windows;
    PendingEvent& event = package_state.event;
    tavro::Host& host = tavro::platform_host();
    switch (message.kind) {
    case MessageKind::create:
        build_run_menu();
        return true;
    case MessageKind::size: {
        const tavro::ClientRect rect = host.client_rect();
        windows.origin_x = rect.left + (rect.right - rect.left) / 2;
        windows.origin_y = rect.top + (rect.bottom - rect.top) / 2;
        return true;
    }
    case MessageKind::paint:
        host.begin_paint(WindowId::graphics);
        copy_image_to_window();
        host.end_paint(WindowId::graphics);
        return true;
    case MessageKind::left_button_down:
        // Positions arrive as the two unsigned 16-bit halves of one parameter.
        event.kind = event_mouse;
        event.x = (message.x & 0xffff) - windows.origin_x;
        event.y = windows.origin_y - (message.y & 0xffff);
        return true;
    case MessageKind::character:
        if (!ctrl_down) {
            event.kind = event_keyboard;
            event.key = static_cast<char>(message.param & 0xff);
        }
        return true;
    case MessageKind::key_down:
        handle_key_down(message.param);
        return true;
    case MessageKind::key_up:
        if (message.param == VIRTUAL_KEY_CONTROL) {
            ctrl_down = false;
        }
        return true;
    case MessageKind::command:
        run_command(message.param);
        return true;
    case MessageKind::timer:
        event.tick_seen = true;
        return true;
    case MessageKind::destroy:
    case MessageKind::quit:
        host.post_quit(0);
        return true;
    default:
        return false;
    }
}

bool text_window_proc(const Message& message)
{
    tavro::Host& host = tavro::platform_host();
    switch (message.kind) {
    case MessageKind::paint:
        host.begin_paint(WindowId::text);
        text_window_replay_history();
        host.end_paint(WindowId::text);
        return true;
    case MessageKind::key_down:
    case MessageKind::key_up: {
        // Keys typed in the text window act as if typed in the graphics window.
        Message forwarded = message;
        forwarded.window = WindowId::graphics;
        host.post(forwarded);
        return true;
    }
    default:
        return false;
    }
}

bool dispatch_message(const Message& message)
{
    return message.window == WindowId::graphics ? graphics_window_proc(message) : text_window_proc(message);
}

}  // namespace tavro
