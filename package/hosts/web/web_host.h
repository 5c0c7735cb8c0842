// Web host: the package's platform layer in a web page (WebAssembly).
//
// Implements Host with the page of page_bridge.h: the graphics window is the
// page's graphics area with the Run menu bar above it, the text window a panel
// below it, the dialog a modal element. Input arrives as neutral messages that
// the page posts; the event wait blocks by handing control back to the page
// (ASYNCIFY), so while the program is halted the page sleeps until input, and
// while a periodic event waits it sleeps until the next tick of the timer. A program
// that never waits still lets the page have a turn at a shown frame.
//
// The image is drawn with the package's own pixel code, so the page shows the
// same pixels as the headless host. It reaches the screen when control goes
// back to the page: the browser cannot show anything sooner.
//
// Dependencies: emscripten, the pixel canvas.
// Known limits: the text panel draws its lines in the browser's monospace
// face; closing the page ends the program without a quit event.
#pragma once

#include "canvas/pixels/pixel_canvas.h"
#include "core/control.h"
#include "hosts/queue_host.h"
#include "hosts/text_lines.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tavro {

class WebHost final : public QueueHost {
public:
    static constexpr int SCREEN_WIDTH = 1024;
    static constexpr int SCREEN_HEIGHT = 768;

    WebHost();

    // Reads what the page's address asks for (time=, transcript=, answers=, script=); false with
    // problem set to one line naming a value it refuses.
    bool take_address(std::string& problem);
    // Input from the page.
    void post_input(const Message& message);
    // Every line given to the text window, when the page's address asked for them.
    const std::string& transcript() const { return transcript_; }
    long long timer_ticks() const { return timer_ticks_; }
    long long periodic_events() const { return periodic_events_; }
    // The program has ended: the page shows its last frame, drawn after its last wait, and the status.
    void show_end(int status);

    int screen_width() override;
    int screen_height() override;
    void create_graphics_window(int x, int y, int width, int height) override;
    void create_text_window(int x, int y, int width, int height) override;
    void show_window(WindowId window, int show_command) override;
    Canvas& image() override;
    void start_timer(int id, int period_ms) override;
    bool take_message(Message& message) override;
    void wait_for_message(bool periodic_waiting) override;
    void build_menu(const char* popup_title, const MenuItem* items, int count) override;
    void check_menu_item(int id, bool checked) override;
    void begin_paint(WindowId window) override;
    void present() override;
    void text_put_line(const char* text) override;
    int run_prompt_dialog(const char* message, char* reply, std::size_t reply_size) override;
    long long current_time() override;
    void periodic_event_returned() override;

private:
    using Clock = std::chrono::steady_clock;

    // The page's areas stay for as long as the program runs.
    bool destroy_window(WindowId) override { return false; }
    // Hands control to the page for at most milliseconds, showing what changed first.
    void give_page(double milliseconds);
    void show_changes();
    bool queue_due_tick();
    // Whether the user chose the Run menu's Quit and the program has not taken it yet.
    bool quit_chosen() const;

    PixelCanvas canvas_;
    TickTimer timer_;
    bool graphics_exists_ = false;
    bool image_changed_ = false;
    std::vector<std::uint8_t> rgba_;

    TextLines text_lines_;
    bool text_changed_ = false;
    std::string transcript_;
    bool keep_transcript_ = false;

    std::optional<DialogAnswers> answers_;  // answers= in the address: the dialog is not shown
    std::optional<long long> start_time_;   // time= in the address; the real clock without it
    long long timer_ticks_ = 0;
    long long periodic_events_ = 0;
    Clock::time_point last_yield_ = Clock::now();
    bool took_since_frame_turn_ = false;  // the program took a message since the page's last turn at a frame
};

WebHost& web_host();

}  // namespace tavro
