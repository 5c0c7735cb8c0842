#include "hosts/headless/headless_driver.h"

#include <algorithm>

namespace tavro {

namespace {

int virtual_key_of(int code)
{
    if (code >= 'a' && code <= 'z') {
        return code - 'a' + 'A';
    }
    return code;
}

}  // namespace

HeadlessDriver::HeadlessDriver(HeadlessHost& host) : host_(host) { take_over_host(); }

HeadlessDriver::~HeadlessDriver()
{
    host_.set_text_sink({});
    host_.set_dialog_answer({});
}

void HeadlessDriver::reset()
{
    host_.reset();
    text_lines_.clear();
    keep_text_lines_ = true;
    text_sink_ = {};
    dialog_replies_ = {};
    no_reply_left_ = {};
    dialog_fails_ = false;
    dialogs_ = 0;
    last_dialog_message_.clear();
    take_over_host();
}

void HeadlessDriver::take_over_host()
{
    host_.set_text_sink([this](std::string_view line) {
        if (keep_text_lines_) {
            text_lines_.emplace_back(line);
        }
        if (text_sink_) {
            text_sink_(line);
        }
    });
    host_.set_dialog_answer([this](const std::string& message, std::string& reply) {
        ++dialogs_;
        last_dialog_message_ = message;
        if (dialog_fails_) {
            return false;
        }
        if (std::optional<std::string> next = dialog_replies_.take()) {
            reply = std::move(*next);
        } else if (no_reply_left_) {
            no_reply_left_();
        }
        return true;
    });
}

void HeadlessDriver::click_client(int column, int row)
{
    Message message{WindowId::graphics, MessageKind::left_button_down};
    message.x = column;
    message.y = row;
    push(message);
}

void HeadlessDriver::click(int x, int y) { click_client(CLIENT_WIDTH / 2 + x, CLIENT_HEIGHT / 2 - y); }

void HeadlessDriver::type_character(int code, WindowId window)
{
    const int key = virtual_key_of(code);
    key_down(key, window, code);
    key_up(key, window);
}

void HeadlessDriver::key_down(int virtual_key, WindowId window, int translated)
{
    Message message{window, MessageKind::key_down, virtual_key};
    message.translated = translated;
    push(message);
}

void HeadlessDriver::key_up(int virtual_key, WindowId window)
{
    push(Message{window, MessageKind::key_up, virtual_key});
}

void HeadlessDriver::ctrl_shortcut(char letter, WindowId window)
{
    const int key = virtual_key_of(static_cast<unsigned char>(letter));
    key_down(VIRTUAL_KEY_CONTROL, window);
    key_down(key, window, key & 31);
    key_up(key, window);
    key_up(VIRTUAL_KEY_CONTROL, window);
}

void HeadlessDriver::choose_menu(int id) { push(Message{WindowId::graphics, MessageKind::command, id}); }

void HeadlessDriver::play_script(const std::string& path)
{
    control::set_playback_file(path);
    push(control::switch_playback());
}

void HeadlessDriver::close_window(WindowId window) { push(Message{window, MessageKind::close}); }

void HeadlessDriver::push_dialog_reply(const std::string& reply) { dialog_replies_.add(reply); }

bool HeadlessDriver::menu_checked(int id) const
{
    const auto& items = menu_items();
    return std::any_of(items.begin(), items.end(),
                       [id](const MenuItem& item) { return item.id == id && (item.flags & MENU_CHECKED) != 0; });
}

HeadlessDriver& headless_driver()
{
    static HeadlessDriver driver(headless_host());
    return driver;
}

}  // namespace tavro
