// FLTK desktop host: the package's platform layer on FLTK 1.3 (Linux/X11).
//
// Implements Host with real windows: "TAVRO Graphics" (the Run menu over a
// drawing area that shows the Cairo canvas) and "TAVRO Text"; FLTK
// events become neutral messages in a queue that the core empties through
// take_message; the frame timer is kept by the host (see fltk_host.cpp); the
// dialog is a real modal window. No package logic lives here.
//
// Dependencies: FLTK 1.3, the Cairo canvas.
// Known limits: FLTK ends the process if the display cannot be opened; the
// graphics window has the size of its contents, not the outer size asked for.
#pragma once

#include "canvas/cairo/cairo_canvas.h"
#include "hosts/fltk/run_report.h"
#include "hosts/queue_host.h"

#include <memory>

namespace tavro {

class GraphicsWindow;
class TextWindow;

class FltkHost final : public QueueHost {
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
    bool destroy_window(WindowId window) override;

    CairoCanvas canvas_;
    std::unique_ptr<GraphicsWindow> graphics_;
    std::unique_ptr<TextWindow> text_;
    TickTimer timer_;
    RunReport report_;
};

}  // namespace tavro
