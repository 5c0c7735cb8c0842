// Headless host: the package's platform layer without a screen, for tests, CI
// and the render entry.
//
// Implements Host over an input queue that the caller fills, a virtual clock
// that advances one timer period per periodic event the wait returns, whether the timer
// or a script made it (so a script plays as if recorded at the timer's rate),
// the build's image canvas (Cairo, or GDI on Windows) as the off-screen image,
// a menu kept as data and an in-memory text window drawn on demand. When the
// core would block and nothing can come any more, it delivers quit, so a halted
// run ends instead of hanging. Nothing here sleeps or reads real input.
//
// Dependencies: the image canvas (canvas/image_canvas.h) and the text raster (canvas/text_raster.h) of
// the same library (Cairo with fontconfig, or GDI).
//
// Known limits: no window is ever shown; window positions and sizes are only
// recorded; the dialog prints its message to standard error and takes its reply
// from the dialog answer; the text window's face differs from the desktop's stock
// fixed-pitch font.
#include "hosts/headless/headless_host.h"

#include "canvas/image_canvas.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tavro {

struct HeadlessHost::State {
    std::unique_ptr<Canvas> canvas = make_image_canvas();
    TextWindowImage text_image;
    HeadlessScreen screen;
    std::vector<std::string> menu_labels;  // owns the texts screen.menu_items point to

    std::time_t start_time = std::time(nullptr);
    TextSink text_sink;
    DialogAnswer dialog_answer;
};

HeadlessHost::HeadlessHost() : state_(std::make_unique<State>()) {}
HeadlessHost::~HeadlessHost() = default;

void HeadlessHost::reset()
{
    state_ = std::make_unique<State>();
    clear_queue();
}

void HeadlessHost::push(const Message& message) { post(message); }

void HeadlessHost::set_start_time(std::time_t seconds) { state_->start_time = seconds; }

void HeadlessHost::set_text_sink(TextSink sink) { state_->text_sink = std::move(sink); }

void HeadlessHost::set_dialog_answer(DialogAnswer answer) { state_->dialog_answer = std::move(answer); }

const HeadlessScreen& HeadlessHost::screen() const { return state_->screen; }

Canvas& HeadlessHost::canvas() const { return *state_->canvas; }

const TextWindowImage& HeadlessHost::text_window() const { return state_->text_image; }

int HeadlessHost::screen_width() { return SCREEN_WIDTH; }

int HeadlessHost::screen_height() { return SCREEN_HEIGHT; }

void HeadlessHost::create_graphics_window(int, int, int, int)
{
    state_->screen.graphics_exists = true;
    graphics_window_created();
}

void HeadlessHost::create_text_window(int, int, int width, int height)
{
    state_->screen.text_exists = true;
    state_->screen.text_visible = false;
    state_->text_image.resize(width, height);
}

void HeadlessHost::show_window(WindowId window, int show_command)
{
    HeadlessScreen& screen = state_->screen;
    if (window == WindowId::text) {
        screen.text_visible = show_command != SHOW_HIDE;
        return;
    }
    if (show_command != SHOW_HIDE && screen.graphics_exists) {
        graphics_window_shown();
    }
}

Canvas& HeadlessHost::image() { return *state_->canvas; }

void HeadlessHost::start_timer(int id, int)
{
    state_->screen.timer_id = id;
    state_->screen.timer_running = true;
}

void HeadlessHost::wait_for_message(bool periodic_waiting)
{
    HeadlessScreen& screen = state_->screen;
    if (!queue().empty()) {
        return;
    }
    if (periodic_waiting && screen.timer_running && screen.graphics_exists) {
        ++screen.timer_ticks;
        queue().push_back(Message{WindowId::graphics, MessageKind::timer, screen.timer_id});
        return;
    }
    // Nothing can arrive any more: end the run rather than block for ever.
    post_quit(0);
}

bool HeadlessHost::destroy_window(WindowId window)
{
    HeadlessScreen& screen = state_->screen;
    if (window == WindowId::graphics && screen.graphics_exists) {
        screen.graphics_exists = false;
        screen.timer_running = false;
        return true;
    }
    if (window == WindowId::text && screen.text_exists) {
        screen.text_exists = false;
        screen.text_visible = false;
        state_->text_image.resize(0, 0);
        return true;
    }
    return false;
}

void HeadlessHost::build_menu(const char* popup_title, const MenuItem* items, int count)
{
    HeadlessScreen& screen = state_->screen;
    std::vector<std::string>& labels = state_->menu_labels;
    screen.menu_title = popup_title != nullptr ? popup_title : "";
    labels.clear();
    screen.menu_items.clear();
    if (items == nullptr || count <= 0) {
        return;
    }
    const auto size = static_cast<std::size_t>(count);
    // Filled completely before any pointer into it is taken, so none moves afterwards.
    labels.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        labels.emplace_back(items[i].text != nullptr ? items[i].text : "");
    }
    screen.menu_items.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        const char* text = items[i].text != nullptr ? labels[i].c_str() : nullptr;
        screen.menu_items.push_back(MenuItem{text, items[i].id, items[i].flags});
    }
}

void HeadlessHost::check_menu_item(int id, bool checked)
{
    for (MenuItem& item : state_->screen.menu_items) {
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

void HeadlessHost::present() { ++state_->screen.presents; }

void HeadlessHost::text_put_line(const char* text)
{
    // Handed on as a view, copied only where it is kept: a logged run writes millions.
    const std::string_view line = text != nullptr ? text : "";
    if (state_->text_sink) {
        state_->text_sink(line);
    }
    // A destroyed (or never created) window has no pixels to scroll.
    if (state_->screen.text_exists) {
        state_->text_image.put_line(line);
    }
}

int HeadlessHost::run_prompt_dialog(const char* message, char* reply, std::size_t reply_size)
{
    const std::string shown = message != nullptr ? message : "";
    // With no screen, standard error is where a headless run can show the message.
    std::fprintf(stderr, "TAVRO_gets: %s\n", shown.substr(0, shown.find_last_not_of(' ') + 1).c_str());
    std::string answer;
    if (state_->dialog_answer && !state_->dialog_answer(shown, answer)) {
        return 0;
    }
    if (reply != nullptr && reply_size > 0) {
        const std::size_t length = std::min(answer.size(), reply_size - 1);
        std::memcpy(reply, answer.data(), length);
        reply[length] = '\0';
    }
    return 1;
}

long long HeadlessHost::current_time() { return virtual_time(state_->start_time, state_->screen.periodic_events); }

void HeadlessHost::periodic_event_returned() { ++state_->screen.periodic_events; }

HeadlessHost& headless_host()
{
    static HeadlessHost host;
    return host;
}

Host& platform_host() { return headless_host(); }

}  // namespace tavro
