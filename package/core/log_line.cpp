#include "core/log_line.h"

#include <charconv>
#include <cstring>

namespace tavro {

namespace {

constexpr std::size_t LONGEST_INT = 11;  // "-2147483648"

}  // namespace

LogLine& LogLine::operator<<(int value)
{
    if (TEXT_BUFFER_SIZE - 1 - length_ >= LONGEST_INT) {
        char* start = buffer_ + length_;
        length_ += static_cast<std::size_t>(std::to_chars(start, start + LONGEST_INT, value).ptr - start);
        return *this;
    }
    char digits[LONGEST_INT];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    return append_whole(digits, static_cast<std::size_t>(end.ptr - digits));
}

LogLine& LogLine::append(const char* text, std::size_t limit)
{
    const void* end = std::memchr(text, '\0', limit);
    return append_whole(text, end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - text) : limit);
}

LogLine& LogLine::append_whole(const char* text, std::size_t length)
{
    const std::size_t room = TEXT_BUFFER_SIZE - 1 - length_;
    length = length < room ? length : room;
    std::memcpy(buffer_ + length_, text, length);
    length_ += length;
    return *this;
}

void LogLine::put(Console& text)
{
    *this << "\n";
    buffer_[length_] = '\0';
    text.put(buffer_);
}

}  // namespace tavro
