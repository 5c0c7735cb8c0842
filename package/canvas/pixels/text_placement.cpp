#include "canvas/pixels/text_placement.h"

#include <algorithm>

namespace tavro {

namespace {
constexpr int MAX_POINT_SIZE = 1024;
}

int character_height(int point_size)
{
    return point_size > 0 ? std::min(point_size, MAX_POINT_SIZE) : DEFAULT_POINT_SIZE;
}

}  // namespace tavro
