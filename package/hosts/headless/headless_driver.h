// Driving and inspecting a headless host: clicks, keys and menu commands queued as
// the desktop would send them, dialog replies, and what the windows, the menu, the
// clock and the text window show. Used by the tests and by the render entry.
#pragma once

#include "core/control.h"
#include "core/dialog_answers.h"
#include "hosts/headless/headless_host.h"

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace tavro {

class HeadlessDriver {
public:
    // Takes over the host's text sink and dialog answer for as long as it lives.
    explicit HeadlessDriver(HeadlessHost& host);
    ~HeadlessDriver();
    HeadlessDriver(const HeadlessDriver&) = delete;
    HeadlessDriver& operator=(const HeadlessDriver&) = delete;

    HeadlessHost& host() { return host_; }
    // The driver and its host back as new: for a test program that runs its tests one after another.
    void reset();

    // --- input ---
    void set_start_time(std::time_t seconds) { host_.set_start_time(seconds); }
    void push(const Message& message) { host_.push(message); }
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
    // Logging switched, and the script at path played from its start, by the wait that takes each.
    void switch_logging() { push(control::switch_logging()); }
    void play_script(const std::string& path);
    void close_window(WindowId window);
    // Replies the dialog gives, first in first out; an empty reply when none is queued.
    void push_dialog_reply(const std::string& reply);
    // Called when the dialog runs with no reply queued, before it gives the empty one.
    void set_no_reply_left(std::function<void()> notice) { no_reply_left_ = std::move(notice); }
    // Makes the dialog fail to be created (run_prompt_dialog returns 0).
    void set_dialog_fails(bool fails) { dialog_fails_ = fails; }

    // --- what can be observed ---
    // The start time plus a tenth of a second for every periodic event returned so far.
    std::time_t clock_seconds() const { return host_.current_time(); }
    long long timer_ticks_delivered() const { return host_.screen().timer_ticks; }
    long long periodic_events_returned() const { return host_.screen().periodic_events; }
    bool timer_started() const { return host_.screen().timer_running; }
    // Every line given to the text window, in order (unless keeping is switched off).
    const std::vector<std::string>& text_lines() const { return text_lines_; }
    void clear_text_lines() { text_lines_.clear(); }
    void set_keep_text_lines(bool keep) { keep_text_lines_ = keep; }
    // Called with every line given to the text window, in order.
    void set_text_line_sink(HeadlessHost::TextSink sink) { text_sink_ = std::move(sink); }
    // The text lines visible in the text window now, top to bottom.
    std::vector<std::string> visible_text_lines() const { return host_.text_window().visible_lines(); }
    // A pixel of the text window's client area (drawn on demand).
    Rgb text_window_pixel(int column, int row) const { return host_.text_window().pixel(column, row); }
    int text_window_line_height() const { return host_.text_window().line_height(); }
    bool text_window_visible() const { return host_.screen().text_exists && host_.screen().text_visible; }
    bool graphics_window_exists() const { return host_.screen().graphics_exists; }
    bool text_window_exists() const { return host_.screen().text_exists; }

    const std::string& menu_title() const { return host_.screen().menu_title; }
    const std::vector<MenuItem>& menu_items() const { return host_.screen().menu_items; }
    bool menu_checked(int id) const;

    long long presents() const { return host_.screen().presents; }
    long long drawings() const { return control::drawings(); }
    int dialogs_shown() const { return dialogs_; }
    const std::string& last_dialog_message() const { return last_dialog_message_; }

    Canvas& canvas() const { return host_.canvas(); }

private:
    void take_over_host();

    HeadlessHost& host_;
    std::vector<std::string> text_lines_;
    bool keep_text_lines_ = true;
    HeadlessHost::TextSink text_sink_;
    DialogAnswers dialog_replies_;
    std::function<void()> no_reply_left_;
    bool dialog_fails_ = false;
    int dialogs_ = 0;
    std::string last_dialog_message_;
};

// The driver of the process's headless host.
HeadlessDriver& headless_driver();

}  // namespace tavro
