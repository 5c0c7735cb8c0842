// The tests' fixed picture: one of each family of shapes at a known place, plus
// the input a picture program has received. Its pixels depend on nothing else,
// so every host and every canvas must show the same picture for the same input.
#pragma once

#include <tavro/display.h>

#include <string>
#include <utility>
#include <vector>

namespace tavro {
class Canvas;
}

struct PictureInput {
    std::vector<std::pair<int, int>> clicks;
    std::string keys;
    int ticks = 0;
};

void draw_fixed_picture(Display& display, const PictureInput& input);

// A family of shapes and the logical box it lies in (left, top, right, bottom).
struct PictureFamily {
    const char* name;
    int left;
    int top;
    int right;
    int bottom;
};

// Every family of the picture drawn without input.
const std::vector<PictureFamily>& picture_families();

struct FamilyDifference {
    int compared = 0;  // pixels of the family's box, with a margin of 4, inside both images
    int differing = 0;
};

// How two canvases holding the picture differ within one family's box; the
// logical origin is pixel (origin_x, origin_y).
FamilyDifference compare_family(const tavro::Canvas& a, const tavro::Canvas& b, const PictureFamily& family,
                                int origin_x, int origin_y);
