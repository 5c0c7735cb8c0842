// Headless host: no screen. Input comes from a message queue that the caller
// fills, time from a virtual clock that advances 100 ms per periodic event the
// wait returns (from the timer or from a script), the
// image is a Cairo image, the text window an in-memory image drawn on demand.
// Used by the tests and by the city-render tool.
#pragma once

#include "image_canvas.h"
#include "platform.h"

#include <ctime>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tavro {

class TextWindowImage;

class HeadlessHost final : public Host {
public:
    // The client area of the graphics window: the whole 601 x 501 drawing area, origin (300, 250).
    static constexpr int CLIENT_WIDTH = 601;
    static constexpr int CLIENT_HEIGHT = 501;
    static constexpr int SCREEN_WIDTH = 1024;
    static constexpr int SCREEN_HEIGHT = 768;
    static constexpr int TIMER_PERIOD_MS = 100;

    HeadlessHost();
    ~HeadlessHost() override;

    // --- set-up and input, for tests and tools ---
    void set_start_time(std::time_t seconds);
    // Appends a message to the input queue (taken first in, first out).
    void push(const Message& message);
    // A left-button press at a client pixel of the graphics window.
    void click_client(int column, int row);
    // A left-button press at logical (x, y): client pixel (300 + x, 250 - y).
    void click(int x, int y);
    // Key-down of the key that types code (translated to code), then its key-up.
    void type_character(int code, WindowId window = WindowId::graphics);
    // A key with no character (Ctrl is 17).
    void key_down(int virtual_key, WindowId window = WindowId::graphics, int translated = 0);
    void key_up(int virtual_key, WindowId window = WindowId::graphics);
    // Ctrl down, the letter's key (translated to its control character), its key-up, Ctrl up.
    void ctrl_shortcut(char letter, WindowId window = WindowId::graphics);
    void choose_menu(int id);
    void close_window(WindowId window);
    // Replies the dialog gives, first in first out; an empty reply when none is queued.
    void push_dialog_reply(const std::string& reply);
    // Makes the dialog fail to be created (run_prompt_dialog returns 0).
    void set_dialog_fails(bool fails);
    // The two halves of dispatch: a key-down queues its character to be taken next; closing a
    // window destroys it (default processing of a message the package declined).
    void translate(const Message& message);
    void default_handling(const Message& message);

    // --- what can be observed ---
    // The start time plus a tenth of a second for every periodic event returned so far.
    std::time_t clock_seconds() const;
    long long timer_ticks_delivered() const;
    long long periodic_events_returned() const;
    bool timer_started() const;
    // Every line given to the text window, in order (unless keeping is switched off).
    const std::vector<std::string>& text_lines() const;
    void clear_text_lines();
    void set_keep_text_lines(bool keep);
    // Called with every line given to the text window, in order.
    void set_text_line_sink(std::function<void(const std::string&)> sink);
    // The text lines visible in the text window now, top to bottom.
    std::vector<std::string> visible_text_lines() const;
    // A pixel of the text window's client area (drawn on demand).
    Rgb text_window_pixel(int column, int row) const;
    int text_window_line_height() const;
    bool text_window_visible() const;
    bool graphics_window_exists() const;
    bool text_window_exists() const;

    const std::string& menu_title() const;
    const std::vector<MenuItem>& menu_items() const;
    bool menu_checked(int id) const;

    long long presents() const;  // copies of the image to the graphics window
    int dialogs_shown() const;
    const std::string& last_dialog_message() const;

    ImageCanvas& canvas();
    const ImageCanvas& canvas() const;
    // The graphics window's client area (601 x 501) as a PNG file; false on failure. Builds with Cairo only.
    bool write_client_png(const std::string& path) const;

    // --- Host ---
    int screen_width() override;
    int screen_height() override;
    void create_graphics_window(int x, int y, int width, int height) override;
    void create_text_window(int x, int y, int width, int height) override;
    void show_window(WindowId window, int show_command) override;
    ClientRect client_rect() override;
    Canvas& image() override;
    void start_timer(int id, int period_ms) override;
    void acquire_window_dc() override;
    void release_window_dc() override;
    bool take_message(Message& message) override;
    void wait_for_message(bool periodic_waiting) override;
    void dispatch(const Message& message) override;
    void post(const Message& message) override;
    void post_quit(int exit_code) override;
    void build_menu(const char* popup_title, const MenuItem* items, int count) override;
    void check_menu_item(int id, bool checked) override;
    void begin_paint(WindowId window) override;
    void end_paint(WindowId window) override;
    void present() override;
    void text_put_line(const char* text) override;
    int run_prompt_dialog(const char* message, char* reply, std::size_t reply_size) override;
    std::time_t current_time() override;
    void periodic_event_returned() override;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The process's headless host (the same object platform_host() returns).
HeadlessHost& headless_host();

}  // namespace tavro
