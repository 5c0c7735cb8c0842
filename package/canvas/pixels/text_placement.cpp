#include "canvas/pixels/text_placement.h"

#include <algorithm>
#include <cstring>

namespace tavro {

namespace {
constexpr int MAX_POINT_SIZE = 1024;
}

int character_height(int point_size)
{
    return point_size > 0 ? std::min(point_size, MAX_POINT_SIZE) : DEFAULT_POINT_SIZE;
}

std::vector<std::string> split_lines(const char* text)
{
    std::vector<std::string> lines;
    const char* start = text;
    for (;;) {
        const char* end = std::strchr(start, '\n');
        if (end == nullptr) {
            lines.emplace_back(start);
            return lines;
        }
        lines.emplace_back(start, end);
        start = end + 1;
    }
}

}  // namespace tavro
