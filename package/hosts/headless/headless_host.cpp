// Headless host: the package's platform layer without a screen, for tests, CI
// and the city-render tool.
//
// Implements Host over an input queue that the caller fills, a virtual clock
// that advances 100 ms per periodic event the wait returns, whether the timer
// or a script made it (so a script plays as if recorded at ten ticks a second),
// the build's image canvas (Cairo, or GDI on Windows) as the off-screen image,
// a menu kept as data and an in-memory text window drawn on demand. When the
// core would block and nothing can come any more, it delivers quit, so a halted
// run ends instead of hanging. Nothing here sleeps or reads real input.
//
// Dependencies: the Cairo canvas (cairo, fontconfig, Liberation Sans and DejaVu Sans
// Mono), or on Windows the GDI canvas.
//
// Known limits: no window is ever shown; window positions and sizes are only
// recorded; the dialog prints its message to standard error and answers from a
// queue of replies; the text window's face differs from the desktop's stock
// fixed-pitch font.
#include "headless_host.h"

#include "text_window_image.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tavro {

namespace {

constexpr long long TICKS_PER_SECOND = 1000 / HeadlessHost::TIMER_PERIOD_MS;

int virtual_key_of(int code)
{
    if (code >= 'a' && code <= 'z') {
        return code - 'a' + 'A';
    }
    return code;
}

}  // namespace

struct HeadlessHost::State {
    ImageCanvas canvas;
    TextWindowImage text_image;

    std::deque<Message> queue;
    std::time_t start_time = std::time(nullptr);
    long long ticks = 0;
    long long periodic_events = 0;
    bool timer_running = false;
    int timer_id = 0;

    bool graphics_exists = false;
    bool size_delivered = false;
    bool text_exists = false;
    bool text_visible = false;

    std::string menu_title;
    std::vector<std::string> menu_labels;  // owns the texts menu_items point to
    std::vector<MenuItem> menu_items;

    std::vector<std::string> text_lines;
    bool keep_text_lines = true;
    std::function<void(const std::string&)> text_sink;

    long long presents = 0;
    std::deque<std::string> dialog_replies;
    bool dialog_fails = false;
    int dialogs = 0;
    std::string last_dialog_message;
};

HeadlessHost::HeadlessHost() : state_(std::make_unique<State>()) {}
HeadlessHost::~HeadlessHost() = default;

// --- set-up and input ---

void HeadlessHost::set_start_time(std::time_t seconds) { state_->start_time = seconds; }

void HeadlessHost::push(const Message& message) { state_->queue.push_back(message); }

void HeadlessHost::click_client(int column, int row)
{
    Message message{WindowId::graphics, MessageKind::left_button_down};
    message.x = column;
    message.y = row;
    push(message);
}

void HeadlessHost::click(int x, int y) { click_client(CLIENT_WIDTH / 2 + x, CLIENT_HEIGHT / 2 - y); }

void HeadlessHost::type_character(int code, WindowId window)
{
    const int key = virtual_key_of(code);
    key_down(key, window, code);
    key_up(key, window);
}

void HeadlessHost::key_down(int virtual_key, WindowId window, int translated)
{
    Message message{window, MessageKind::key_down, virtual_key};
    message.translated = translated;
    push(message);
}

void HeadlessHost::key_up(int virtual_key, WindowId window) { push(Message{window, MessageKind::key_up, virtual_key}); }

void HeadlessHost::ctrl_shortcut(char letter, WindowId window)
{
    const int key = virtual_key_of(static_cast<unsigned char>(letter));
    key_down(VIRTUAL_KEY_CONTROL, window);
    key_down(key, window, key & 31);
    key_up(key, window);
    key_up(VIRTUAL_KEY_CONTROL, window);
}

void HeadlessHost::choose_menu(int id) { push(Message{WindowId::graphics, MessageKind::command, id}); }

void HeadlessHost::close_window(WindowId window) { push(Message{window, MessageKind::close}); }

void HeadlessHost::push_dialog_reply(const std::string& reply) { state_->dialog_replies.push_back(reply); }

void HeadlessHost::set_dialog_fails(bool fails) { state_->dialog_fails = fails; }

// --- observers ---

std::time_t HeadlessHost::clock_seconds() const
{
    return state_->start_time + static_cast<std::time_t>(state_->periodic_events / TICKS_PER_SECOND);
}

long long HeadlessHost::timer_ticks_delivered() const { return state_->ticks; }

long long HeadlessHost::periodic_events_returned() const { return state_->periodic_events; }

bool HeadlessHost::timer_started() const { return state_->timer_running; }

const std::vector<std::string>& HeadlessHost::text_lines() const { return state_->text_lines; }

void HeadlessHost::clear_text_lines() { state_->text_lines.clear(); }

void HeadlessHost::set_keep_text_lines(bool keep) { state_->keep_text_lines = keep; }

void HeadlessHost::set_text_line_sink(std::function<void(const std::string&)> sink)
{
    state_->text_sink = std::move(sink);
}

std::vector<std::string> HeadlessHost::visible_text_lines() const { return state_->text_image.visible_lines(); }

Rgb HeadlessHost::text_window_pixel(int column, int row) const { return state_->text_image.pixel(column, row); }

int HeadlessHost::text_window_line_height() const { return state_->text_image.line_height(); }

bool HeadlessHost::text_window_visible() const { return state_->text_exists && state_->text_visible; }

bool HeadlessHost::graphics_window_exists() const { return state_->graphics_exists; }

bool HeadlessHost::text_window_exists() const { return state_->text_exists; }

const std::string& HeadlessHost::menu_title() const { return state_->menu_title; }

const std::vector<MenuItem>& HeadlessHost::menu_items() const { return state_->menu_items; }

bool HeadlessHost::menu_checked(int id) const
{
    const auto& items = state_->menu_items;
    return std::any_of(items.begin(), items.end(),
                       [id](const MenuItem& item) { return item.id == id && (item.flags & MENU_CHECKED) != 0; });
}

long long HeadlessHost::presents() const { return state_->presents; }

int HeadlessHost::dialogs_shown() const { return state_->dialogs; }

const std::string& HeadlessHost::last_dialog_message() const { return state_->last_dialog_message; }

ImageCanvas& HeadlessHost::canvas() { return state_->canvas; }

const ImageCanvas& HeadlessHost::canvas() const { return state_->canvas; }

// --- Host ---

int HeadlessHost::screen_width() { return SCREEN_WIDTH; }

int HeadlessHost::screen_height() { return SCREEN_HEIGHT; }

void HeadlessHost::create_graphics_window(int, int, int, int)
{
    state_->graphics_exists = true;
    state_->size_delivered = false;
    dispatch_message(Message{WindowId::graphics, MessageKind::create});
}

void HeadlessHost::create_text_window(int, int, int width, int height)
{
    state_->text_exists = true;
    state_->text_visible = false;
    state_->text_image.resize(width, height);
}

void HeadlessHost::show_window(WindowId window, int show_command)
{
    if (window == WindowId::text) {
        state_->text_visible = show_command != 0;
        return;
    }
    if (show_command != 0 && state_->graphics_exists && !state_->size_delivered) {
        state_->size_delivered = true;
        dispatch_message(Message{WindowId::graphics, MessageKind::size});
    }
}

ClientRect HeadlessHost::client_rect() { return ClientRect{0, 0, CLIENT_WIDTH, CLIENT_HEIGHT}; }

Canvas& HeadlessHost::image() { return state_->canvas; }

void HeadlessHost::start_timer(int id, int)
{
    state_->timer_id = id;
    state_->timer_running = true;
}

void HeadlessHost::acquire_window_dc() {}

void HeadlessHost::release_window_dc() {}

bool HeadlessHost::take_message(Message& message)
{
    if (state_->queue.empty()) {
        return false;
    }
    message = state_->queue.front();
    state_->queue.pop_front();
    return true;
}

void HeadlessHost::wait_for_message(bool periodic_waiting)
{
    if (!state_->queue.empty()) {
        return;
    }
    if (periodic_waiting && state_->timer_running && state_->graphics_exists) {
        ++state_->ticks;
        state_->queue.push_back(Message{WindowId::graphics, MessageKind::timer, state_->timer_id});
        return;
    }
    // Nothing can arrive any more: end the run rather than block for ever.
    post_quit(0);
}

void HeadlessHost::translate(const Message& message)
{
    if (message.kind == MessageKind::key_down && message.translated != 0) {
        state_->queue.push_front(Message{message.window, MessageKind::character, message.translated});
    }
}

void HeadlessHost::dispatch(const Message& message)
{
    translate(message);
    if (!dispatch_message(message)) {
        default_handling(message);
    }
}

void HeadlessHost::post(const Message& message) { state_->queue.push_back(message); }

void HeadlessHost::post_quit(int exit_code)
{
    state_->queue.push_back(Message{WindowId::graphics, MessageKind::quit, exit_code});
}

void HeadlessHost::default_handling(const Message& message)
{
    if (message.kind != MessageKind::close) {
        return;
    }
    if (message.window == WindowId::graphics && state_->graphics_exists) {
        state_->graphics_exists = false;
        state_->timer_running = false;
        dispatch_message(Message{WindowId::graphics, MessageKind::destroy});
    } else if (message.window == WindowId::text && state_->text_exists) {
        state_->text_exists = false;
        state_->text_visible = false;
        state_->text_image.resize(0, 0);
        dispatch_message(Message{WindowId::text, MessageKind::destroy});
    }
}

void HeadlessHost::build_menu(const char* popup_title, const MenuItem* items, int count)
{
    state_->menu_title = popup_title != nullptr ? popup_title : "";
    state_->menu_labels.clear();
    state_->menu_items.clear();
    if (items == nullptr || count <= 0) {
        return;
    }
    const auto size = static_cast<std::size_t>(count);
    // Filled completely before any pointer into it is taken, so none moves afterwards.
    state_->menu_labels.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        state_->menu_labels.emplace_back(items[i].text != nullptr ? items[i].text : "");
    }
    state_->menu_items.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        const char* text = items[i].text != nullptr ? state_->menu_labels[i].c_str() : nullptr;
        state_->menu_items.push_back(MenuItem{text, items[i].id, items[i].flags});
    }
}

void HeadlessHost::check_menu_item(int id, bool checked)
{
    for (MenuItem& item : state_->menu_items) {
        if (item.id == id) {
            item.flags = checked ? (item.flags | MENU_CHECKED) : (item.flags & ~MENU_CHECKED);
        }
    }
}

void HeadlessHost::begin_paint(WindowId window)
{
    if (window == WindowId::text) {
        state_->text_image.clear();
    }
}

void HeadlessHost::end_paint(WindowId) {}

void HeadlessHost::present() { ++state_->presents; }

void HeadlessHost::text_put_line(const char* text)
{
    const std::string line = text != nullptr ? text : "";
    if (state_->keep_text_lines) {
        state_->text_lines.push_back(line);
    }
    if (state_->text_sink) {
        state_->text_sink(line);
    }
    // A destroyed (or never created) window has no pixels to scroll.
    if (state_->text_exists) {
        state_->text_image.put_line(line);
    }
}

int HeadlessHost::run_prompt_dialog(const char* message, char* reply, std::size_t reply_size)
{
    ++state_->dialogs;
    state_->last_dialog_message = message != nullptr ? message : "";
    // With no screen, standard error is where a headless run can show the message.
    const std::string& shown = state_->last_dialog_message;
    std::fprintf(stderr, "TAVRO_gets: %s\n", shown.substr(0, shown.find_last_not_of(' ') + 1).c_str());
    if (state_->dialog_fails) {
        return 0;
    }
    std::string answer;
    if (!state_->dialog_replies.empty()) {
        answer = std::move(state_->dialog_replies.front());
        state_->dialog_replies.pop_front();
    }
    if (reply != nullptr && reply_size > 0) {
        const std::size_t length = std::min(answer.size(), reply_size - 1);
        std::memcpy(reply, answer.data(), length);
        reply[length] = '\0';
    }
    return 1;
}

std::time_t HeadlessHost::current_time() { return clock_seconds(); }

void HeadlessHost::periodic_event_returned() { ++state_->periodic_events; }

HeadlessHost& headless_host()
{
    static HeadlessHost host;
    return host;
}

Host& platform_host() { return headless_host(); }

}  // namespace tavro
