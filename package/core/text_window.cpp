#include "core/text_window.h"

#include "core/text_block.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace tavro {

namespace {

int next_slot(int index) { return (index + 1) % TEXT_HISTORY_SIZE; }

}  // namespace

// The slot's block is reused when the line fits it.
void Console::append_to_history(const char* text, std::size_t size)
{
    History& history = history_;
    if (history.first == history.next) {
        history.first = next_slot(history.first);
    }
    if (!keep_text(history.lines[history.next], history.capacities[history.next], text, size)) {
        return;  // out of memory: the line is still shown, only not kept
    }
    if (history.first == -1) {
        history.first = history.next;
    }
    history.next = next_slot(history.next);
}

int format_text(char (&buffer)[TEXT_BUFFER_SIZE], const char* format, std::va_list arguments)
{
    if (std::vsnprintf(buffer, TEXT_BUFFER_SIZE, format, arguments) < 0) {
        buffer[0] = '\0';
    }
    return static_cast<int>(std::strlen(buffer));
}

int Console::printf(const char* format, ...)
{
    char buffer[TEXT_BUFFER_SIZE];
    std::va_list arguments;
    va_start(arguments, format);
    const int length = format_text(buffer, format, arguments);
    va_end(arguments);
    put(buffer);
    return length;
}

void Console::put(const char* line)
{
    append_to_history(line, std::strlen(line) + 1);
    put_line(line);
}

void Console::put_ending_line(char* line, std::size_t length)
{
    append_to_history(line, length + 1);
    if (open_) {
        line[length - 1] = '\0';
        platform_host().text_put_line(line);
    }
}

void Console::put_line(const char* text) const
{
    if (!open_) {
        return;
    }
    const std::size_t length = std::strlen(text);
    if (length == 0 || text[length - 1] != '\n') {
        platform_host().text_put_line(text);
        return;
    }
    // The line without its newline, copied on the stack: every kept line fits the buffer.
    char shown[TEXT_BUFFER_SIZE];
    const std::size_t kept = std::min(length - 1, sizeof shown - 1);
    std::memcpy(shown, text, kept);
    shown[kept] = '\0';
    platform_host().text_put_line(shown);
}

void Console::replay_history() const
{
    const History& history = history_;
    if (history.first == -1) {
        return;
    }
    int index = history.first;
    do {
        TextBlock* block = history.lines[index].get();
        if (const char* line = block ? block->lock() : nullptr) {
            put_line(line);
            block->unlock();
        }
        index = next_slot(index);
    } while (index != history.next);
}

void Console::show(bool on) const { platform_host().show_window(WindowId::text, on ? SHOW_AS_IS : SHOW_HIDE); }

}  // namespace tavro
