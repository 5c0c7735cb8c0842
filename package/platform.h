// The seam between the package's neutral core and a windowing system.
//
// A host library (headless, fltk, win32, web) implements Host and Canvas and
// defines platform_host(); every executable links exactly one host. Hosts turn
// their own events into Messages, and their window procedures hand them to
// dispatch_message(); they never touch package state themselves.
#pragma once

#include "core/draw_command.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>

namespace tavro {

enum class WindowId { graphics = 1, text = 2 };

enum class MessageKind {
    create,            // sent once while the window is being created
    size,              // the client area has a new size (read it with client_rect)
    paint,             // the window must be repainted
    left_button_down,  // x, y: client pixel of the press
    character,         // param: the character code (0..255)
    key_down,          // param: virtual key (Ctrl 17, letters 65..90); translated: its character or 0
    key_up,            // param: virtual key
    command,           // param: menu command identifier
    timer,             // param: timer identifier
    close,             // the user asked to close the window
    destroy,           // the window is being destroyed
    quit,              // the thread's quit message; param: exit code
    other,             // a platform message the package has no name for
};

// The virtual key of Ctrl in key_down and key_up messages; letters are their capitals' codes.
constexpr int VIRTUAL_KEY_CONTROL = 17;

struct Message {
    WindowId window = WindowId::graphics;
    MessageKind kind = MessageKind::paint;
    int param = 0;
    // left_button_down: client pixel as the platform packs it, two unsigned 16-bit halves of one
    // parameter; the handler keeps only the low 16 bits of each, so a host may pass them unmasked.
    int x = 0;
    int y = 0;
    int translated = 0;  // key_down: the character translation would give (Ctrl+A gives 1), 0 for none
    // The platform's own second message word (a key's repeat count and scan code), kept when a
    // handler forwards the message, so the platform translates the forwarded key as the original.
    std::intptr_t native = 0;
};

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

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// An image's pixels as rows of 32-bit 0x00RRGGBB words, stride bytes apart.
struct PixelRows {
    const unsigned char* data = nullptr;  // null when the image has no memory
    int stride = 0;
    int width = 0;
    int height = 0;
};

// The graphics window's client area, the drawing area with its origin at (300, 250), on every host.
constexpr int CLIENT_WIDTH = 601;
constexpr int CLIENT_HEIGHT = 501;

// The period of the frame timer; a virtual clock advances one period per periodic event.
constexpr int TICK_PERIOD_MS = 100;
constexpr int TICKS_PER_SECOND = 1000 / TICK_PERIOD_MS;

// A one-pixel vertical line from logical (x, from_y) to (x, to_y), the end pixel left out: what a
// line command of width 0 or 1 with x1 == x2 draws.
struct ColumnLine {
    int x = 0;
    int from_y = 0;
    int to_y = 0;
    Rgb colour;
};

// The off-screen image: as wide as the client area, 540 pixels high.
class Canvas {
public:
    static constexpr int WIDTH = CLIENT_WIDTH;
    static constexpr int HEIGHT = 540;

    virtual ~Canvas() = default;
    // Draws one command whose colour is valid; logical (x, y) is pixel (origin_x + x, origin_y - y).
    virtual void render(const DrawCommand& command, Rgb colour, int origin_x, int origin_y) = 0;
    // Fills the whole image white, with a one-pixel black frame on its outermost rows and columns.
    virtual void clear_white_framed() = 0;
    virtual Rgb pixel(int column, int row) const = 0;
    // All pixels at once, for pictures of the image; valid until the next drawing call.
    virtual PixelRows pixel_rows() const = 0;

    // Queues a vertical line, drawn in order before anything else the canvas draws, clears or
    // shows. A snow frame draws 10,000 of them: handed over many at a time, a line costs little
    // more than its stores.
    void queue_column(int x, int from_y, int to_y, Rgb colour, int origin_x, int origin_y)
    {
        if (queued_ == COLUMN_QUEUE_SIZE || origin_x != queue_origin_x_ || origin_y != queue_origin_y_) {
            draw_queued_columns();
            queue_origin_x_ = origin_x;
            queue_origin_y_ = origin_y;
        }
        // Field by field: a whole struct built on the stack and copied stalls on its narrow colour.
        ColumnLine& line = queue_[queued_++];
        line.x = x;
        line.from_y = from_y;
        line.to_y = to_y;
        line.colour = colour;
    }

protected:
    // Draws lines in order, as render would draw each one. Readers bring queued lines in too, so
    // this is const like them.
    virtual void render_columns(const ColumnLine* lines, std::size_t count, int origin_x, int origin_y) const = 0;
    // Every other member of a canvas calls this first.
    void draw_queued_columns() const
    {
        if (queued_ > 0) {
            const std::size_t count = queued_;
            queued_ = 0;
            render_columns(queue_, count, queue_origin_x_, queue_origin_y_);
        }
    }

private:
    static constexpr std::size_t COLUMN_QUEUE_SIZE = 256;
    ColumnLine queue_[COLUMN_QUEUE_SIZE];
    mutable std::size_t queued_ = 0;
    int queue_origin_x_ = 0;
    int queue_origin_y_ = 0;
};

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

// The package's window procedures: hands one message to the handler of its window;
// false when the handler declined it and the platform's default processing applies.
bool dispatch_message(const Message& message);

}  // namespace tavro
