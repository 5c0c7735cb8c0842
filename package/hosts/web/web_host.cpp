// Web host: the package's platform layer in a web page. See web_host.h.
#include "hosts/web/web_host.h"

#include "hosts/web/page_bridge.h"
#include "support/start_time.h"

#include <algorithm>
#include <cstring>
#include <cstdlib>

namespace tavro {

namespace {

// The page gets control at least this often, so that it shows frames and takes input while
// a script plays or a program draws without waiting.
constexpr auto LONGEST_TURN = std::chrono::milliseconds(50);
// As many lines as the desktop's text window keeps for repainting.
constexpr std::size_t TEXT_PANEL_LINES = 25;

}  // namespace

WebHost::WebHost() : text_lines_(TEXT_PANEL_LINES) {}

bool WebHost::take_address(std::string& problem)
{
    std::string time;
    if (page::address_value("time", time)) {
        const std::optional<long long> start = parse_start_time("time=", time, problem);
        if (!start) {
            return false;
        }
        start_time_ = start;
    }
    std::string transcript;
    if (page::address_value("transcript", transcript)) {
        if (transcript != "" && transcript != "0" && transcript != "1") {
            problem = "transcript= takes 1 (or no value) to keep the transcript, or 0, not '" + transcript + "'";
            return false;
        }
        keep_transcript_ = transcript != "0";
    }
    std::string answers;
    if (page::address_value("answers", answers)) {
        answers_ = DialogAnswers::from_lines(answers);
    }
    std::string script;
    // As the render entry does: logging from the first wait, then the script from the start.
    if (keep_transcript_) {
        queue().push_back(control::switch_logging());
    }
    if (page::address_value("script", script)) {
        queue().push_back(control::switch_playback());
    }
    return true;
}

void WebHost::post_input(const Message& message) { queue().push_back(message); }

int WebHost::screen_width() { return SCREEN_WIDTH; }

int WebHost::screen_height() { return SCREEN_HEIGHT; }

void WebHost::create_graphics_window(int, int, int, int)
{
    graphics_exists_ = true;
    graphics_window_created();
}

void WebHost::create_text_window(int, int, int, int height) { page::build(height, CLIENT_WIDTH, CLIENT_HEIGHT); }

void WebHost::show_window(WindowId window, int show_command)
{
    if (window == WindowId::text) {
        page::show_text_panel(show_command != SHOW_HIDE);
        return;
    }
    if (show_command != SHOW_HIDE && graphics_exists_) {
        graphics_window_shown();
    }
}

Canvas& WebHost::image() { return canvas_; }

void WebHost::start_timer(int id, int period_ms) { timer_.start(id, period_ms); }

bool WebHost::queue_due_tick()
{
    if (!timer_.queue_due_tick(queue())) {
        return false;
    }
    ++timer_ticks_;
    return true;
}

bool WebHost::take_message(Message& message)
{
    took_since_frame_turn_ = true;
    if (Clock::now() - last_yield_ > LONGEST_TURN) {
        give_page(0);
    }
    queue_due_tick();
    return QueueHost::take_message(message);
}

void WebHost::wait_for_message(bool periodic_waiting)
{
    took_since_frame_turn_ = true;
    for (;;) {
        if (!queue().empty() || (periodic_waiting && queue_due_tick())) {
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
        page::show_text_lines(text_lines_);
    }
}

void WebHost::show_end(int status)
{
    // The last frame, drawn after the last wait; a program that made no Display has none.
    image_changed_ = graphics_exists_;
    show_changes();
    page::show_end(status);
}

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

void WebHost::present()
{
    image_changed_ = true;
    // A program that draws without waiting gives the page no other turn: it takes one with a
    // frame, at most every LONGEST_TURN, so the frames show and the menu answers.
    if (Clock::now() - last_yield_ <= LONGEST_TURN) {
        return;
    }
    give_page(0);
    // The Quit it cannot take (it takes no message) ends it, as at the end of application_main.
    if (!took_since_frame_turn_ && quit_chosen()) {
        show_end(0);
        std::exit(0);
    }
    took_since_frame_turn_ = false;
}

bool WebHost::quit_chosen() const { return std::any_of(queue().begin(), queue().end(), control::asks_to_quit); }

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
    if (answers_) {
        answers_->answer(reply, reply_size);
        return 1;
    }
    show_changes();
    page::run_dialog(message, reply, reply_size);
    last_yield_ = Clock::now();
    return 1;
}

long long WebHost::current_time()
{
    if (!start_time_) {
        return page::seconds_since_1970();
    }
    return virtual_time(*start_time_, periodic_events_);
}

void WebHost::periodic_event_returned() { ++periodic_events_; }

WebHost& web_host()
{
    static WebHost host;
    return host;
}

Host& platform_host() { return web_host(); }

}  // namespace tavro
