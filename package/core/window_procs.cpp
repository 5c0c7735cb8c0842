#include "core/window_procs.h"

#include "core/session.h"

namespace tavro {

bool graphics_window_proc(const Message& message)
{
    Session& session = tavro::session();
    Host& host = platform_host();
    switch (message.kind) {
    case MessageKind::create:
        session.menu.build();
        return true;
    case MessageKind::size:
        session.windows.centre_on(host.client_rect());
        return true;
    case MessageKind::paint:
        host.begin_paint(WindowId::graphics);
        session.windows.present(host);
        host.end_paint(WindowId::graphics);
        return true;
    case MessageKind::left_button_down:
        // Positions arrive as the two unsigned 16-bit halves of one parameter.
        session.wait.put_mouse((message.x & 0xffff) - session.windows.origin_x(),
                               session.windows.origin_y() - (message.y & 0xffff));
        return true;
    case MessageKind::character:
        if (!session.menu.ctrl_held()) {
            session.wait.put_key(static_cast<char>(message.param & 0xff));
        }
        return true;
    case MessageKind::key_down:
        session.menu.key_down(message.param);
        return true;
    case MessageKind::key_up:
        session.menu.key_up(message.param);
        return true;
    case MessageKind::command:
        session.menu.run_command(message.param);
        return true;
    case MessageKind::timer:
        session.wait.tick();
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
    Host& host = platform_host();
    switch (message.kind) {
    case MessageKind::paint:
        host.begin_paint(WindowId::text);
        session().text.replay_history();
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
