// Headless host: no screen. Input comes from a message queue that the caller
// fills, time from a virtual clock that advances one timer period per periodic event the
// wait returns (from the timer or from a script), the image is the build's image
// canvas, the text window an in-memory image drawn on demand. Driven and
// inspected through HeadlessDriver by the tests and the render entry.
#pragma once

#include "hosts/headless/text_window_image.h"
#include "hosts/queue_host.h"

#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

// What the host's windows, menu and timer have been told, as a screen would show it.
struct HeadlessScreen {
    bool graphics_exists = false;
    bool text_exists = false;
    bool text_visible = false;
    bool timer_running = false;
    int timer_id = 0;
    long long timer_ticks = 0;      // ticks delivered to the queue
    long long periodic_events = 0;  // periodic events the wait has returned
    long long presents = 0;         // copies of the image to the graphics window
    std::string menu_title;
    std::vector<MenuItem> menu_items;  // texts are the host's own copies
};

class HeadlessHost final : public QueueHost {
public:
    static constexpr int SCREEN_WIDTH = 1024;
    static constexpr int SCREEN_HEIGHT = 768;

    // Called with every line given to the text window, in order.
    using TextSink = std::function<void(std::string_view line)>;
    // Answers the dialog: sets reply and returns true, or returns false when it cannot be shown.
    using DialogAnswer = std::function<bool(const std::string& message, std::string& reply)>;

    HeadlessHost();
    ~HeadlessHost() override;

    // Back to the state a new host has: for a test program that runs its tests one after another.
    void reset();
    // Appends a message to the input queue (taken first in, first out).
    void push(const Message& message);
    void set_start_time(std::time_t seconds);
    void set_text_sink(TextSink sink);
    // Without an answer the dialog gives an empty reply.
    void set_dialog_answer(DialogAnswer answer);

    const HeadlessScreen& screen() const;
    Canvas& canvas() const;
    const TextWindowImage& text_window() const;

    // --- Host ---
    int screen_width() override;
    int screen_height() override;
    void create_graphics_window(int x, int y, int width, int height) override;
    void create_text_window(int x, int y, int width, int height) override;
    void show_window(WindowId window, int show_command) override;
    Canvas& image() override;
    void start_timer(int id, int period_ms) override;
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
    bool destroy_window(WindowId window) override;

    struct State;
    std::unique_ptr<State> state_;
};

// The process's headless host (the same object platform_host() returns).
HeadlessHost& headless_host();

}  // namespace tavro
