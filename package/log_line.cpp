#include "log_line.h"

#include <charconv>

LogLine& LogLine::operator<<(int value)
{
    char digits[16];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    return append(digits, static_cast<std::size_t>(end.ptr - digits));
}

LogLine& LogLine::append(const char* text, std::size_t limit)
{
    const std::size_t room = TEXT_BUFFER_SIZE - 1 - length_;
    limit = limit < room ? limit : room;
    std::size_t i = 0;
    while (i < limit && text[i] != '\0') {
        buffer_[length_ + i] = text[i];
        ++i;
    }
    length_ += i;
    return *this;
}

void LogLine::put()
{
    *this << "\n";
    buffer_[length_] = '\0';
    text_window_put(buffer_);
}
