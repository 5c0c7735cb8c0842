#include "core/text_window.h"

#include "core/text_block.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace tavro {

namespace {

int next_slot(int index) { return (index + 1) % TEXT_HISTORY_SIZE; }

// Blocks are sized in steps, so that most later lines fit a reused one.
constexpr std::size_t BLOCK_STEP = 64;

}  // namespace

// Copies text into the slot's block, reusing it when the line fits; false when there is no
// memory for it.
bool Console::keep_in_slot(int slot, const char* text)
{
    History& history = history_;
    const std::size_t size = std::strlen(text) + 1;
    std::unique_ptr<TextBlock>& block = history.lines[slot];
    if (block && size <= history.capacities[slot] && write_text(*block, text, size)) {
        return true;
    }
    block.reset();
    const std::size_t capacity = (size + BLOCK_STEP - 1) / BLOCK_STEP * BLOCK_STEP;
    block = platform_host().allocate_text(capacity);
    if (block && write_text(*block, text, size)) {
        history.capacities[slot] = capacity;
        return true;
    }
    block.reset();
    return false;
}

void Console::append_to_history(const char* text)
{
    History& history = history_;
    if (history.first == history.next) {
        history.first = next_slot(history.first);
    }
    if (!keep_in_slot(history.next, text)) {
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
    append_to_history(line);
    put_line(line);
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
