// FLTK desktop host: the package's platform layer on FLTK 1.3 (Linux/X11).
//
// Implements Host with real windows: "TAVRO Graphics" (the Run menu over a
// 601 x 501 drawing area that shows the Cairo canvas) and "TAVRO Text"; FLTK
// events become neutral messages in a queue that the core empties through
// take_message; the 100 ms timer is an FLTK timeout; the dialog is a real modal
// window. No package logic lives here.
//
// Dependencies: FLTK 1.3, the Cairo canvas.
// Known limits: FLTK ends the process if the display cannot be opened; the
// graphics window has the size of its contents, not the outer size asked for.
#pragma once

#include "canvas/cairo/cairo_canvas.h"
#include "hosts/fltk/run_report.h"
#include "hosts/message_queue.h"
#include "platform.h"

#include <memory>

namespace tavro {

class GraphicsWindow;
class TextWindow;

class FltkHost final : public Host {
public:
    FltkHost();
    ~FltkHost() override;
    FltkHost(const FltkHost&) = delete;
    FltkHost& operator=(const FltkHost&) = delete;

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
    long long current_time() override;
    void periodic_event_returned() override;

private:
    void default_handling(const Message& message);

    MessageQueue queue_;
    CairoCanvas canvas_;
    std::unique_ptr<GraphicsWindow> graphics_;
    std::unique_ptr<TextWindow> text_;
    bool size_delivered_ = false;
    TickTimer timer_;
    RunReport report_;
};

}  // namespace tavro
