#include "fixed_picture.h"

#include "seam/host.h"

void draw_fixed_picture(Display& display, const PictureInput& input)
{
    display.clear(COLOUR_WHITE);
    display.draw_rectangle(-280, 120, -160, 230, COLOUR_BLUE, 0);
    display.draw_rectangle(-140, 120, -20, 230, COLOUR_ORANGE, 3);
    display.draw_oval(0, 120, 150, 230, COLOUR_SEA_GREEN, 0);
    display.draw_circle(220, 175, 50, COLOUR_PURPLE);
    display.draw_triangle(-280, -20, -160, -20, -220, 90, COLOUR_GOLD, 0);
    display.draw_line(-140, -20, 140, 90, COLOUR_RED, 1);
    display.draw_line(-140, 90, 140, -20, COLOUR_NAVY_BLUE, 4);
    for (int colour = 0; colour < COLOUR_COUNT; ++colour) {
        display.draw_rectangle(-290 + colour * 24, -60, -270 + colour * 24, -40, colour, 0);
    }
    display.draw_text(-280, -90, "TAVRO picture: @home & away", COLOUR_BLACK, 16);
    plot_text(COLOUR_BLACK, -280, -130, 12, "ticks %d keys %s", input.ticks, input.keys.c_str());
    for (const auto& [x, y] : input.clicks) {
        display.draw_circle(x, y, 6, COLOUR_RED);
        display.draw_pixel(x, y, COLOUR_BLACK);
    }
}

const std::vector<PictureFamily>& picture_families()
{
    static const std::vector<PictureFamily> families{
        {"filled rectangle", -280, 230, -160, 120},  {"rectangle, pen 3", -140, 230, -20, 120},
        {"filled oval", 0, 230, 150, 120},           {"circle", 170, 225, 270, 125},
        {"filled triangle", -280, 90, -160, -20},    {"lines, pens 1 and 4", -140, 90, 140, -20},
        {"24 colour swatches", -290, -40, 282, -60}, {"text, 16 points", -290, -70, 300, -92},
        {"text, 12 points", -290, -112, 300, -134},
    };
    return families;
}

FamilyDifference compare_family(const tavro::Canvas& a, const tavro::Canvas& b, const PictureFamily& family,
                                int origin_x, int origin_y)
{
    constexpr int MARGIN = 4;
    FamilyDifference difference;
    for (int y = family.bottom - MARGIN; y <= family.top + MARGIN; ++y) {
        for (int x = family.left - MARGIN; x <= family.right + MARGIN; ++x) {
            const int column = origin_x + x;
            const int row = origin_y - y;
            if (column < 0 || column >= tavro::Canvas::WIDTH || row < 0 || row >= tavro::Canvas::HEIGHT) {
                continue;
            }
            ++difference.compared;
            difference.differing += a.pixel(column, row) != b.pixel(column, row);
        }
    }
    return difference;
}
