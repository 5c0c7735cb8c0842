// The seam between the package's neutral core and a windowing system: the host.
//
// A host library (headless, fltk, win32, web) implements Host, gives a Canvas (seam/canvas.h)
// and defines platform_host(); every executable links exactly one host. Hosts turn their own
// events into Messages (seam/messages.h), and their window procedures hand them to
// dispatch_message(); they never touch package state themselves. hosts/template/ is a
// commented host to start a new one from.
#pragma once

#include "seam/canvas.h"
#include "seam/messages.h"

#include <cstddef>
#include <ctime>
#include <memory>

namespace tavro {

struct ClientRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Menu item flags, with the values of the 32-bit desktop's menu calls.
constexpr unsigned MENU_STRING = 0x0;
constexpr unsigned MENU_GRAYED = 0x1;
constexpr unsigned MENU_CHECKED = 0x8;
constexpr unsigned MENU_SEPARATOR = 0x800;

// Show commands, with the values of the 32-bit desktop's window calls: a process entry without
// one of its own passes SHOW_NORMAL.
constexpr int SHOW_HIDE = 0;
constexpr int SHOW_NORMAL = 1;
constexpr int SHOW_AS_IS = 5;

struct MenuItem {
    const char* text;  // label, a tab, then the shortcut shown on the right; null for a separator
    int id;
    unsigned flags;
};

// The period of the frame timer; a virtual clock advances one period per periodic event.
constexpr int TICK_PERIOD_MS = 100;
constexpr int TICKS_PER_SECOND = 1000 / TICK_PERIOD_MS;

// Memory for one text (a drawing call's text, a line of the text window's history), locked
// only while it is read or written, so that a host may keep it movable.
class TextBlock {
public:
    virtual ~TextBlock() = default;
    // The block's bytes, until unlock; null when it cannot be locked.
    virtual char* lock() = 0;
    virtual void unlock() = 0;
};

// Everything else a windowing system gives the package.
class Host {
public:
    virtual ~Host() = default;

    virtual int screen_width() = 0;
    virtual int screen_height() = 0;

    // Creates the graphics window (title "TAVRO Graphics", caption and system menu, not sizable)
    // at (x, y) with the given outer size. Delivers its create message before it returns.
    virtual void create_graphics_window(int x, int y, int width, int height) = 0;
    // Creates the text window (title "TAVRO Text", sizable) at (x, y) with the given outer size.
    virtual void create_text_window(int x, int y, int width, int height) = 0;
    // Shows (show_command != 0) or hides a window. Showing the graphics window the first time
    // delivers its size message before it returns.
    virtual void show_window(WindowId window, int show_command) = 0;
    virtual ClientRect client_rect() = 0;
    virtual Canvas& image() = 0;
    virtual void start_timer(int id, int period_ms) = 0;
    // Takes the graphics window's drawing context, which present() draws into until it is released.
    virtual void acquire_window_dc() = 0;
    virtual void release_window_dc() = 0;

    // Takes the next message of the thread's queue without waiting; false when there is none.
    virtual bool take_message(Message& message) = 0;
    // Blocks until a message can be taken. periodic_waiting: a periodic event waits for a timer tick.
    virtual void wait_for_message(bool periodic_waiting) = 0;
    // Runs the message taken last: translates it (a key-down queues the character it types, to be
    // taken next), then runs its window's procedure, which calls dispatch_message() and falls back to
    // the platform's default processing where the package declines (closing the graphics window
    // destroys it, which delivers its destroy message).
    virtual void dispatch(const Message& message) = 0;
    virtual void post(const Message& message) = 0;
    virtual void post_quit(int exit_code) = 0;

    // Builds the menu bar with one popup of the given items.
    virtual void build_menu(const char* popup_title, const MenuItem* items, int count) = 0;
    virtual void check_menu_item(int id, bool checked) = 0;

    // Brackets a repaint; starting one clears the window's invalid area to its background.
    virtual void begin_paint(WindowId window) = 0;
    virtual void end_paint(WindowId window) = 0;
    // Copies the whole image to the graphics window at (0, 0) through its held drawing context.
    // Called by the message turn outside any paint, and between begin_paint and end_paint of the
    // graphics window when it is repainted.
    virtual void present() = 0;

    // The text window: scrolls its client area up by one line, clears the bottom strip and
    // draws text there, 5 pixels in from the left, in the stock fixed-pitch face.
    virtual void text_put_line(const char* text) = 0;

    // Runs the modal text-input dialog "TAVRO_gets" showing message (exactly 79 characters).
    // Copies at most reply_size - 1 characters and a terminator into reply; returns 1, or 0 when
    // the dialog cannot be created (reply then untouched).
    virtual int run_prompt_dialog(const char* message, char* reply, std::size_t reply_size) = 0;

    // Whole seconds since 1970, in 64 bits on every host (the browser's std::time_t has 32).
    virtual long long current_time() = 0;
    // Told each time the event wait returns a periodic event. A virtual clock advances here by
    // one timer period, so scripted and timed runs see the same times; a real clock ignores it.
    virtual void periodic_event_returned() {}
    // A block of size bytes for a text; null when there is no memory. Heap memory unless
    // the host has its own kind.
    virtual std::unique_ptr<TextBlock> allocate_text(std::size_t size);
};

// The host this executable was linked with.
Host& platform_host();

}  // namespace tavro
