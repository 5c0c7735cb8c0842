// A text-window line built piece by piece, for the fixed lines of a logged run: a logged frame
// writes thousands of them, and plain appends cost a fraction of format parsing.
#pragma once

#include "core/text_window.h"

#include <cstddef>
#include <cstring>

namespace tavro {

class LogLine {
public:
    LogLine() = default;
    LogLine(const LogLine&) = delete;
    LogLine& operator=(const LogLine&) = delete;

    // Past TEXT_BUFFER_SIZE - 1 characters the line is cut, as a formatted one is.
    LogLine& operator<<(const char* text) { return append_whole(text, std::strlen(text)); }
    LogLine& operator<<(int value);
    // At most limit characters of text.
    LogLine& append(const char* text, std::size_t limit);
    // "(x,y)", the form of every point in the log.
    LogLine& point(int x, int y) { return *this << "(" << x << "," << y << ")"; }
    std::size_t length() const { return length_; }

    // Adds the newline, then keeps and shows the line as Console::printf does.
    void put(Console& text);

private:
    LogLine& append_whole(const char* text, std::size_t length);

    char buffer_[TEXT_BUFFER_SIZE];
    std::size_t length_ = 0;
};

}  // namespace tavro
