// Web host: the package's platform layer in a web page. See web_host.h.
#include "hosts/web/web_host.h"

#include "hosts/web/page_bridge.h"
#include "run_menu.h"

#include <algorithm>
#include <cstring>
#include <ctime>

namespace tavro {

namespace {

constexpr int PERIODIC_EVENTS_PER_SECOND = 10;
// The page gets control at least this often, so that it shows frames and takes input while
// a script plays or a program draws without waiting.
constexpr auto LONGEST_TURN = std::chrono::milliseconds(50);
// As many lines as the desktop's text window keeps for repainting.
constexpr std::size_t TEXT_PANEL_LINES = 25;

}  // namespace

WebHost::WebHost()
    : text_lines_(TEXT_PANEL_LINES), keep_transcript_(page::wants_transcript()), start_time_(page::start_time())
{
    // As the render entry does: logging from the first wait, then the script from the start.
    if (keep_transcript_) {
        queue_.push_back(Message{WindowId::graphics, MessageKind::command, COMMAND_LOGGING});
    }
    if (page::plays_script()) {
        queue_.push_back(Message{WindowId::graphics, MessageKind::command, COMMAND_PLAYBACK});
    }
}

void WebHost::post_input(const Message& message) { queue_.push_back(message); }

int WebHost::screen_width() { return SCREEN_WIDTH; }

int WebHost::screen_height() { return SCREEN_HEIGHT; }

void WebHost::create_graphics_window(int, int, int, int)
{
    graphics_exists_ = true;
    size_delivered_ = false;
    dispatch_message(Message{WindowId::graphics, MessageKind::create});
}

void WebHost::create_text_window(int, int, int, int height) { page::build(height); }

void WebHost::show_window(WindowId window, int show_command)
{
    if (window == WindowId::text) {
        page::show_text_panel(show_command != SHOW_HIDE);
        return;
    }
    if (show_command != SHOW_HIDE && graphics_exists_ && !size_delivered_) {
        size_delivered_ = true;
        dispatch_message(Message{WindowId::graphics, MessageKind::size});
    }
}

ClientRect WebHost::client_rect() { return ClientRect{0, 0, CLIENT_WIDTH, CLIENT_HEIGHT}; }

Canvas& WebHost::image() { return canvas_; }

void WebHost::start_timer(int id, int period_ms) { timer_.start(id, period_ms); }

void WebHost::acquire_window_dc() {}

void WebHost::release_window_dc() {}

bool WebHost::queue_due_tick()
{
    if (!timer_.queue_due_tick(queue_)) {
        return false;
    }
    ++timer_ticks_;
    return true;
}

bool WebHost::take_message(Message& message)
{
    if (Clock::now() - last_yield_ > LONGEST_TURN) {
        give_page(0);
    }
    queue_due_tick();
    return take_first(queue_, message);
}

void WebHost::wait_for_message(bool periodic_waiting)
{
    for (;;) {
        if (!queue_.empty() || (periodic_waiting && queue_due_tick())) {
            return;
        }
        if (periodic_waiting && timer_.running()) {
            give_page(std::chrono::duration<double, std::milli>(timer_.until_tick()).count());
        } else {
            give_page(-1);
        }
    }
}

void WebHost::give_page(double milliseconds)
{
    show_changes();
    page::wait(milliseconds);
    last_yield_ = Clock::now();
}

void WebHost::show_changes()
{
    if (image_changed_) {
        image_changed_ = false;
        const PixelRows image = canvas_.pixel_rows();
        rgba_.resize(std::size_t(CLIENT_WIDTH) * CLIENT_HEIGHT * 4);
        std::uint8_t* out = rgba_.data();
        for (int row = 0; row < CLIENT_HEIGHT; ++row) {
            const unsigned char* in = image.data + std::ptrdiff_t{row} * image.stride;
            for (int column = 0; column < CLIENT_WIDTH; ++column, in += 4, out += 4) {
                // 0x00RRGGBB words in memory order are blue, green, red, unused.
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
                out[3] = 255;
            }
        }
        page::show_image(rgba_.data(), CLIENT_WIDTH, CLIENT_HEIGHT);
    }
    if (text_changed_) {
        text_changed_ = false;
        page::show_text_lines(text_lines_.oldest_first());
    }
}

void WebHost::show_end(int status)
{
    image_changed_ = true;
    show_changes();
    page::show_end(status);
}

void WebHost::dispatch(const Message& message)
{
    queue_translation(queue_, message);
    dispatch_message(message);
}

void WebHost::post(const Message& message) { queue_.push_back(message); }

void WebHost::post_quit(int exit_code) { queue_.push_back(Message{WindowId::graphics, MessageKind::quit, exit_code}); }

void WebHost::build_menu(const char* popup_title, const MenuItem* items, int count)
{
    page::build_menu(popup_title, items, count);
}

void WebHost::check_menu_item(int id, bool checked) { page::check_menu_item(id, checked); }

void WebHost::begin_paint(WindowId window)
{
    if (window == WindowId::text) {
        text_lines_.clear();
        text_changed_ = true;
    }
}

void WebHost::end_paint(WindowId) {}

void WebHost::present() { image_changed_ = true; }

void WebHost::text_put_line(const char* text)
{
    const std::string line = text != nullptr ? text : "";
    text_lines_.put(line);
    text_changed_ = true;
    if (keep_transcript_) {
        transcript_ += line;
        transcript_ += '\n';
    }
}

int WebHost::run_prompt_dialog(const char* message, char* reply, std::size_t reply_size)
{
    show_changes();
    page::run_dialog(message, reply, reply_size);
    last_yield_ = Clock::now();
    return 1;
}

std::time_t WebHost::current_time()
{
    if (start_time_ < 0) {
        return std::time(nullptr);
    }
    return static_cast<std::time_t>(start_time_) +
           static_cast<std::time_t>(periodic_events_ / PERIODIC_EVENTS_PER_SECOND);
}

void WebHost::periodic_event_returned() { ++periodic_events_; }

WebHost& web_host()
{
    static WebHost host;
    return host;
}

Host& platform_host() { return web_host(); }

}  // namespace tavro
