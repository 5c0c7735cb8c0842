#include "check/shown_line.h"

#include <algorithm>
#include <cstdio>

namespace tavro {

namespace {

// Characters shown before the first difference, when the line is cut there.
constexpr std::size_t CONTEXT = 50;

bool continues_character(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// The start of the UTF-8 character at or before index.
std::size_t character_start(const std::string& text, std::size_t index)
{
    while (index > 0 && index < text.size() && continues_character(text[index])) {
        --index;
    }
    return std::min(index, text.size());
}

std::size_t characters_in(const std::string& text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !continues_character(c); }));
}

std::string visible(const std::string& text, bool at_line_end)
{
    std::size_t end = text.size();
    if (at_line_end) {
        while (end > 0 && text[end - 1] == ' ') {
            --end;
        }
    }
    std::string shown;
    for (std::size_t i = 0; i < end; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\t') {
            shown += "\\t";
        } else if (c == '\r') {
            shown += "\\r";
        } else if (c == '\0') {
            shown += "\\0";
        } else if (c == '\\') {
            shown += "\\\\";
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
        } else {
            shown += static_cast<char>(c);
        }
    }
    for (std::size_t i = end; i < text.size(); ++i) {
        shown += "\\x20";
    }
    return shown;
}

}  // namespace

std::string shown_line(const std::string& line, const std::string& other)
{
    const std::size_t length = characters_in(line);
    if (length <= LINE_SHOWN) {
        return visible(line, true);
    }
    const auto mismatch = std::mismatch(line.begin(), line.end(), other.begin(), other.end()).first;
    const std::size_t differs_at = static_cast<std::size_t>(mismatch - line.begin());
    const std::size_t start = differs_at > 2 * CONTEXT ? character_start(line, differs_at - CONTEXT) : 0;
    const std::size_t end = character_start(line, start + LINE_SHOWN);
    return (start > 0 ? "..." : "") + visible(line.substr(start, end - start), end == line.size()) +
           (end < line.size() ? "..." : "") + " (" + std::to_string(length) + " characters)";
}

}  // namespace tavro
