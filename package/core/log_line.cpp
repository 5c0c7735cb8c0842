#include "core/log_line.h"

#include <charconv>
#include <cstring>

namespace tavro {

namespace {

// The digits of 0..999, each number's left-aligned in four bytes: most numbers of the log are
// coordinates of at most three digits, written with one copy.
struct SmallNumbers {
    char digits[1000][4];
};

constexpr SmallNumbers make_small_numbers()
{
    SmallNumbers numbers{};
    for (int n = 0; n < 1000; ++n) {
        int at = 0;
        if (n >= 100) {
            numbers.digits[n][at++] = static_cast<char>('0' + n / 100);
        }
        if (n >= 10) {
            numbers.digits[n][at++] = static_cast<char>('0' + n / 10 % 10);
        }
        numbers.digits[n][at] = static_cast<char>('0' + n % 10);
    }
    return numbers;
}

constexpr SmallNumbers SMALL_NUMBERS = make_small_numbers();

}  // namespace

std::size_t LogLine::write_decimal(char* out, int value)
{
    unsigned magnitude = static_cast<unsigned>(value);
    std::size_t sign = 0;
    if (value < 0) {
        *out = '-';
        magnitude = 0u - magnitude;
        sign = 1;
    }
    if (magnitude < 1000) {
        // All four bytes: past the digits they lie in the room the caller has, unused.
        std::memcpy(out + sign, SMALL_NUMBERS.digits[magnitude], sizeof SMALL_NUMBERS.digits[0]);
        return sign + 1 + (magnitude >= 10) + (magnitude >= 100);
    }
    return static_cast<std::size_t>(std::to_chars(out + sign, out + LONGEST_INT, magnitude).ptr - out);
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
