// The text window: the package's console, keeping the last 25 lines for repainting.
#pragma once

#include "seam/host.h"
#include <tavro/display.h>

#include <array>
#include <cstdarg>
#include <memory>

namespace tavro {

constexpr int TEXT_HISTORY_SIZE = 25;
// One message or text holds at most this many characters; longer ones are cut.
constexpr int TEXT_BUFFER_SIZE = 1024;

// Formats into buffer with printf's rules, cutting at TEXT_BUFFER_SIZE - 1 characters; an
// encoding error leaves it empty. Returns the number of characters kept.
int format_text(char (&buffer)[TEXT_BUFFER_SIZE], const char* format, std::va_list arguments);

// The text window's side in the core, the package's console (the FLTK host's TextWindow is the
// window itself).
class Console {
public:
    // The kept lines: a ring of blocks, the oldest at first (-1 while there is none), the slot the
    // next line takes at next. A slot's block is reused for a later line that fits its capacity.
    struct History {
        std::array<std::unique_ptr<TextBlock>, TEXT_HISTORY_SIZE> lines;
        std::array<std::size_t, TEXT_HISTORY_SIZE> capacities{};
        int first = -1;
        int next = 0;
    };

    // Lines are shown once the window exists; before, they are only kept.
    void opened() { open_ = true; }
    const History& history() const { return history_; }

    int printf(const char* format, ...) TAVRO_PRINTF_FORMAT(2, 3);
    // Keeps a line of at most TEXT_BUFFER_SIZE - 1 characters in the history and shows it.
    void put(const char* line);
    // put for a line of known length that ends with a newline, which this overwrites with the
    // terminator for the window (a logged run's every line comes this way).
    void put_ending_line(char* line, std::size_t length);
    // Draws text as the new bottom line; a single trailing newline is dropped.
    void put_line(const char* text) const;
    // Redraws the stored lines, oldest first.
    void replay_history() const;
    void show(bool on) const;

private:
    // size counts the terminator.
    void append_to_history(const char* text, std::size_t size);

    History history_;
    bool open_ = false;
};

}  // namespace tavro
