// The text window: the package's console, keeping the last 25 lines for repainting.
#pragma once

#include "platform.h"
#include <tavro/display.h>

#include <array>
#include <cstdarg>
#include <memory>

namespace tavro {

constexpr int TEXT_HISTORY_SIZE = 25;
// One message or text holds at most this many characters; longer ones are cut.
constexpr int TEXT_BUFFER_SIZE = 1024;

// The kept lines: a ring of blocks, the oldest at first (-1 while there is none), the
// slot the next line takes at next. A slot's block is reused for a later line that fits its
// capacity.
struct TextHistory {
    std::array<std::unique_ptr<tavro::TextBlock>, TEXT_HISTORY_SIZE> lines;
    std::array<std::size_t, TEXT_HISTORY_SIZE> capacities{};
    int first = -1;
    int next = 0;
};
const TextHistory& text_history();

// Formats into buffer with printf's rules, cutting at TEXT_BUFFER_SIZE - 1 characters; an
// encoding error leaves it empty. Returns the number of characters kept.
int format_text(char (&buffer)[TEXT_BUFFER_SIZE], const char* format, std::va_list arguments);

int text_window_printf(const char* format, ...) TAVRO_PRINTF_FORMAT(1, 2);
// Keeps a line of at most TEXT_BUFFER_SIZE - 1 characters in the history and shows it.
void text_window_put(const char* line);
// Draws text as the new bottom line; a single trailing newline is dropped.
void text_window_put_line(const char* text);
// Redraws the stored lines, oldest first.
void text_window_replay_history();

}  // namespace tavro
