// FLTK desktop host: the package's platform layer on FLTK 1.3 (Linux/X11).
//
// Implements every Host operation: windows, the menu bar, input as queued
// messages, the timer, the image copy, the text window and the dialog. The core
// takes messages one at a time (take_message runs FLTK's pending events first)
// and sleeps in wait_for_message, which blocks in Fl::wait until a message is
// queued. create and size reach the core synchronously, as window creation and
// the first show deliver them.
//
// The frame timer is a TickTimer rather than an FLTK timeout: Fl::wait runs an
// expired timeout at the start of its next call and then sleeps on, so a tick
// queued by a timeout would reach the core only a whole period late. While no
// periodic event waits, ticks matter to nobody and the host sleeps until real
// input comes.
//
// Dependencies: FLTK 1.3, the Cairo canvas.
// Known limits: see fltk_host.h. Repaints of the graphics window are drawn from
// the image directly, without a paint message; the text window's repaints queue
// one so that the core replays its history.
#include "hosts/fltk/fltk_host.h"

#include "hosts/fltk/graphics_window.h"
#include "hosts/fltk/prompt_dialog.h"
#include "hosts/fltk/run_menu_bar.h"
#include "hosts/fltk/text_window.h"

#include <FL/Fl.H>

namespace tavro {

FltkHost::FltkHost() = default;

FltkHost::~FltkHost() = default;

int FltkHost::screen_width() { return Fl::w(); }

int FltkHost::screen_height() { return Fl::h(); }

void FltkHost::create_graphics_window(int x, int y, int, int)
{
    // The canvas is shown pixel for pixel, so ask for a true-colour visual.
    Fl::visual(FL_RGB);
    graphics_ = std::make_unique<GraphicsWindow>(x, y, canvas_, queue());
    graphics_window_created();
}

void FltkHost::create_text_window(int x, int y, int width, int height)
{
    text_ = std::make_unique<TextWindow>(x, y, width, height, queue());
}

void FltkHost::show_window(WindowId window, int show_command)
{
    Fl_Window* target =
        window == WindowId::graphics ? static_cast<Fl_Window*>(graphics_.get()) : static_cast<Fl_Window*>(text_.get());
    if (target == nullptr) {
        return;
    }
    if (show_command == 0) {
        target->hide();
        return;
    }
    target->show();
    if (window == WindowId::graphics) {
        graphics_window_shown();
    }
}

Canvas& FltkHost::image() { return canvas_; }

void FltkHost::start_timer(int id, int period_ms) { timer_.start(id, period_ms); }

bool FltkHost::take_message(Message& message)
{
    Fl::check();
    timer_.queue_due_tick(queue());
    return QueueHost::take_message(message);
}

void FltkHost::wait_for_message(bool periodic_waiting)
{
    for (;;) {
        // Redraw what events damaged first: a repaint of the text window queues a paint message.
        Fl::flush();
        if (!queue().empty() || (periodic_waiting && timer_.queue_due_tick(queue()))) {
            return;
        }
        if (!periodic_waiting || !timer_.running()) {
            report_.set_sleeping(true);
            Fl::wait();
            report_.set_sleeping(false);
        } else {
            Fl::wait(std::chrono::duration<double>(timer_.until_tick()).count());
        }
    }
}

bool FltkHost::destroy_window(WindowId window)
{
    if (window == WindowId::graphics && graphics_) {
        timer_.stop();  // the timer ends with its window
        graphics_.reset();
        return true;
    }
    if (window == WindowId::text && text_) {
        text_.reset();
        return true;
    }
    return false;
}

void FltkHost::build_menu(const char* popup_title, const MenuItem* items, int count)
{
    if (graphics_) {
        graphics_->menu_bar().set_items(popup_title, items, count);
    }
}

void FltkHost::check_menu_item(int id, bool checked)
{
    if (graphics_) {
        graphics_->menu_bar().set_check(id, checked);
    }
}

void FltkHost::begin_paint(WindowId window)
{
    if (window == WindowId::text && text_) {
        text_->clear_lines();
    }
}

void FltkHost::present()
{
    if (!graphics_) {
        return;
    }
    graphics_->damage_drawing();
    // Show the frame now, so what the window shows is what the core last finished.
    Fl::flush();
}

void FltkHost::text_put_line(const char* text)
{
    if (text_) {
        text_->put_line(text);
    }
}

int FltkHost::run_prompt_dialog(const char* message, char* reply, std::size_t reply_size)
{
    return run_prompt_dialog_window(message, reply, reply_size);
}

long long FltkHost::current_time() { return std::time(nullptr); }

void FltkHost::periodic_event_returned() { report_.periodic_event_returned(); }

Host& platform_host()
{
    static FltkHost host;
    return host;
}

}  // namespace tavro
