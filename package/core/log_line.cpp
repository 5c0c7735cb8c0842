#include "core/log_line.h"

#include <charconv>
#include <cstring>

namespace tavro {

// Most numbers of the log are coordinates of at most three digits: those are written directly.
std::size_t LogLine::write_decimal(char* out, int value)
{
    char* const start = out;
    unsigned magnitude = static_cast<unsigned>(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0u - magnitude;
    }
    if (magnitude >= 1000) {
        return static_cast<std::size_t>(std::to_chars(out, start + LONGEST_INT, magnitude).ptr - start);
    }
    if (magnitude >= 100) {
        *out++ = static_cast<char>('0' + magnitude / 100);
    }
    if (magnitude >= 10) {
        *out++ = static_cast<char>('0' + magnitude / 10 % 10);
    }
    *out++ = static_cast<char>('0' + magnitude % 10);
    return static_cast<std::size_t>(out - start);
}

LogLine& LogLine::append_cut_int(int value)
{
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
    length = length < room() ? length : room();
    std::memcpy(buffer_ + length_, text, length);
    length_ += length;
    return *this;
}

void LogLine::put(Console& text)
{
    if (room() == 0) {
        buffer_[length_] = '\0';  // no room for the newline, as a formatted line has none
        text.put(buffer_);
        return;
    }
    buffer_[length_++] = '\n';
    buffer_[length_] = '\0';
    text.put_ending_line(buffer_, length_);
}

}  // namespace tavro
