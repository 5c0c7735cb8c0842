// Where the lines of a drawing command's text go, the same on every canvas: the
// anchor is the lower-left corner of the first line's cell, each newline starts
// a line one line height lower, and control characters show as spaces.
#pragma once

#include "canvas/pixels/pixel_writer.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace tavro {

// A text command with point size 0 gets this character height, in pixels.
constexpr int DEFAULT_POINT_SIZE = 16;

// The character height in pixels of a text command's point size.
int character_height(int point_size);

// The character a byte of text shows: control characters show as spaces.
inline unsigned char shown_character(unsigned char byte) { return byte < 0x20 || byte == 0x7F ? ' ' : byte; }

// Calls show(line, left, top) for each line of text (split at each newline; a text ending in
// one has an empty last line) with the top-left corner of its cell, leaving out lines anchored
// too far away to reach the image. The lines are views into text: nothing is copied.
template <class ShowLine>
void place_text_lines(const char* text, PenPoint anchor, int line_height, ShowLine show)
{
    constexpr PixelCoord reach = PixelCoord{1} << 20;
    PixelCoord top = anchor.row - line_height;
    for (const char* start = text;;) {
        const char* end = std::strchr(start, '\n');
        const std::string_view line(start, end != nullptr ? static_cast<std::size_t>(end - start) : std::strlen(start));
        if (std::llabs(anchor.column) < reach && std::llabs(top) < reach) {
            show(line, anchor.column, top);
        }
        if (end == nullptr) {
            return;
        }
        start = end + 1;
        top += line_height;
    }
}

}  // namespace tavro
