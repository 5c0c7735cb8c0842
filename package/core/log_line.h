// A text-window line built piece by piece, for the fixed lines of a logged run: a logged frame
// writes thousands of them, and plain appends cost a fraction of format parsing.
#pragma once

#include "core/text_window.h"

#include <cstddef>
#include <cstring>
#include <string_view>

namespace tavro {

class LogLine {
public:
    LogLine() = default;
    LogLine(const LogLine&) = delete;
    LogLine& operator=(const LogLine&) = delete;

    // Past TEXT_BUFFER_SIZE - 1 characters the line is cut, as a formatted one is. A literal's
    // length is known where it is written, so its copy is a few stores.
    template <std::size_t N>
    LogLine& operator<<(const char (&literal)[N])
    {
        constexpr std::size_t length = N - 1;
        if (length <= room()) {
            std::memcpy(buffer_ + length_, literal, length);
            length_ += length;
            return *this;
        }
        return append_whole(literal, length);
    }
    LogLine& operator<<(std::string_view text) { return append_whole(text.data(), text.size()); }
    LogLine& operator<<(int value)
    {
        if (room() >= LONGEST_INT) {
            length_ += write_decimal(buffer_ + length_, value);
            return *this;
        }
        return append_cut_int(value);
    }
    // At most limit characters of text.
    LogLine& append(const char* text, std::size_t limit);
    // "(x,y)", the form of every point in the log.
    LogLine& point(int x, int y) { return *this << "(" << x << "," << y << ")"; }
    std::size_t length() const { return length_; }

    // Adds the newline, then keeps and shows the line as Console::printf does.
    void put(Console& text);

private:
    static constexpr std::size_t LONGEST_INT = 11;  // "-2147483648"
    // Writes value in decimal at out, which has room for LONGEST_INT characters; returns how many
    // it wrote.
    static std::size_t write_decimal(char* out, int value);
    LogLine& append_cut_int(int value);
    std::size_t room() const { return TEXT_BUFFER_SIZE - 1 - length_; }
    LogLine& append_whole(const char* text, std::size_t length);

    char buffer_[TEXT_BUFFER_SIZE];
    std::size_t length_ = 0;
};

}  // namespace tavro
