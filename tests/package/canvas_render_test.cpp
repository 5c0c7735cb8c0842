// Pixel rules of every canvas with an image in memory (Cairo, pixel), drawn with the origin at (300, 250).
#include "canvas/cairo/cairo_canvas.h"
#include "canvas/pixels/pixel_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

using namespace tavro;

namespace {

using tavro::Canvas;
using tavro::Rgb;

struct CanvasKind {
    const char* name;
    std::unique_ptr<Canvas> (*make)();
    int (*text_line_height)(int point_size);
};

const CanvasKind CANVAS_KINDS[] = {
    {"Cairo", [] { return std::unique_ptr<Canvas>(std::make_unique<tavro::CairoCanvas>()); },
     tavro::CairoCanvas::text_line_height},
    {"Pixel", [] { return std::unique_ptr<Canvas>(std::make_unique<tavro::PixelCanvas>()); },
     tavro::PixelCanvas::text_line_height},
};

constexpr int ORIGIN_X = 300;
constexpr int ORIGIN_Y = 250;
const Rgb WHITE{255, 255, 255};
const Rgb BLACK{0, 0, 0};
const Rgb BLUE{0, 0, 255};

struct Bounds {
    int count = 0;
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;  // inclusive

    // Exactly the pixels of the box from (l, t) to (r, b), both corners included.
    bool fills(int l, int t, int r, int b) const
    {
        return left == l && top == t && right == r && bottom == b && count == (r - l + 1) * (b - t + 1);
    }
};

class CanvasTest : public ::testing::TestWithParam<CanvasKind> {
protected:
    CanvasTest() { canvas.clear_white_framed(); }

    std::unique_ptr<Canvas> fresh_canvas() const
    {
        std::unique_ptr<Canvas> fresh = GetParam().make();
        fresh->clear_white_framed();
        return fresh;
    }

    void draw(int kind, int width, int x1, int y1, int x2, int y2, int x3 = 0, int y3 = 0, Rgb colour = BLUE)
    {
        canvas.render(make_draw_command(kind, 0, width, x1, y1, x2, y2, x3, y3), colour, ORIGIN_X, ORIGIN_Y);
    }

    Bounds painted(Rgb colour = BLUE) const
    {
        Bounds b;
        for (int row = 0; row < Canvas::HEIGHT; ++row) {
            for (int column = 0; column < Canvas::WIDTH; ++column) {
                if (canvas.pixel(column, row) == colour) {
                    ++b.count;
                    b.left = std::min(b.left, column);
                    b.right = std::max(b.right, column);
                    b.top = std::min(b.top, row);
                    b.bottom = std::max(b.bottom, row);
                }
            }
        }
        return b;
    }
    bool blue(int column, int row) const { return canvas.pixel(column, row) == BLUE; }

    std::unique_ptr<Canvas> owned = GetParam().make();
    Canvas& canvas = *owned;
};

void render_text(Canvas& target, const char* text, int x, int y, int size, Rgb colour = BLUE)
{
    target.render(make_text_command(0, x, y, size, text), colour, ORIGIN_X, ORIGIN_Y);
}

bool same_pixels(const Canvas& a, const Canvas& b)
{
    for (int row = 0; row < Canvas::HEIGHT; ++row) {
        for (int column = 0; column < Canvas::WIDTH; ++column) {
            if (a.pixel(column, row) != b.pixel(column, row)) {
                return false;
            }
        }
    }
    return true;
}

TEST_P(CanvasTest, ClearPaintsWhiteWithBlackFrame)
{
    EXPECT_TRUE(painted(WHITE).fills(1, 1, 599, 538));
    EXPECT_EQ(painted(BLACK).count, 2 * 601 + 2 * 538);
    EXPECT_EQ(canvas.pixel(-1, 5), BLACK);
    EXPECT_EQ(canvas.pixel(5, 540), BLACK);
}

// A clear is painted only when the next command comes, around a filled box that
// covers part of it; the result must not show that.
TEST_P(CanvasTest, ClearThenCommandLeavesTheUncoveredPartWhiteFramed)
{
    struct Case {
        int kind, width, x1, y1, x2, y2;
        int left, top, right, bottom;  // the blue pixels, inclusive
    };
    for (const Case& c : std::vector<Case>{{DRAW_RECTANGLE, 0, -300, 250, 300, -250, 0, 0, 600, 500},
                                           {DRAW_RECTANGLE, 0, -400, 300, -250, 200, 0, 0, 50, 50},
                                           {DRAW_RECTANGLE, 0, 290, -280, 500, -300, 590, 530, 600, 539},
                                           {DRAW_LINE, 1, 5, 5, 5, 0, 305, 245, 305, 249}}) {
        render_text(canvas, "Gone", -200, 0, 30);  // drawn, then cleared away
        canvas.clear_white_framed();
        draw(c.kind, c.width, c.x1, c.y1, c.x2, c.y2);
        int wrong = 0;
        for (int row = 0; row < Canvas::HEIGHT; ++row) {
            for (int column = 0; column < Canvas::WIDTH; ++column) {
                const bool inside = column >= c.left && column <= c.right && row >= c.top && row <= c.bottom;
                const bool frame = row == 0 || column == 0 || row == Canvas::HEIGHT - 1 || column == Canvas::WIDTH - 1;
                wrong += canvas.pixel(column, row) != (inside ? BLUE : frame ? BLACK : WHITE);
            }
        }
        EXPECT_EQ(wrong, 0) << "box " << c.left << "," << c.top;
    }
}

TEST_P(CanvasTest, FilledBoxesIncludeBothCorners)
{
    draw(DRAW_RECTANGLE, 0, -10, 10, 10, -10);
    EXPECT_TRUE(painted().fills(290, 240, 310, 260));
    draw(DRAW_RECTANGLE, 0, -300, 250, 300, -250);
    EXPECT_TRUE(painted().fills(0, 0, 600, 500));
}

TEST_P(CanvasTest, HollowBoxOutlineIsCentredOnTheOnePixelFrame)
{
    struct Case {
        int width;
        int first_column, last_column;  // painted columns across the left side, on the middle row
    };
    for (const Case& c : std::vector<Case>{{1, 280, 280}, {3, 279, 281}, {5, 278, 282}}) {
        canvas.clear_white_framed();
        draw(DRAW_RECTANGLE, c.width, -20, 20, 20, -20);
        for (int column = 270; column <= 300; ++column) {
            const bool expected = column >= c.first_column && column <= c.last_column;
            EXPECT_EQ(blue(column, 250), expected) << "width " << c.width << " column " << column;
        }
        // The right, top and bottom sides mirror the left one.
        EXPECT_TRUE(blue(600 - c.first_column, 250));
        EXPECT_FALSE(blue(600 - c.last_column - 1, 250));
        EXPECT_TRUE(blue(300, c.first_column - 50));
        EXPECT_TRUE(blue(300, 500 - c.first_column + 50));
        EXPECT_EQ(painted().left, c.first_column);
    }
}

TEST_P(CanvasTest, FilledCircleStaysInsideItsBoxAndTouchesEverySide)
{
    draw(DRAW_OVAL, 0, -5, 5, 5, -5);
    const Bounds b = painted();
    EXPECT_EQ(std::vector<int>({b.left, b.top, b.right, b.bottom}), std::vector<int>({295, 245, 305, 255}));
    EXPECT_FALSE(blue(295, 245)) << "an ellipse leaves the box's corners free";
    EXPECT_TRUE(blue(300, 250));
    for (int d = 0; d <= 5; ++d) {  // symmetric about both axes
        for (int e = 0; e <= 5; ++e) {
            EXPECT_EQ(blue(300 + d, 250 + e), blue(300 - d, 250 - e));
            EXPECT_EQ(blue(300 + d, 250 + e), blue(300 + e, 250 + d));
        }
    }
}

TEST_P(CanvasTest, FlatAndThinOvalsStillFillTheirBoxWidth)
{
    draw(DRAW_OVAL, 0, -100, 0, 100, -1);
    EXPECT_TRUE(painted().fills(200, 250, 400, 251));
    canvas.clear_white_framed();
    draw(DRAW_OVAL, 0, 0, 200, 1, -200);
    EXPECT_TRUE(painted().fills(300, 50, 301, 450));
}

TEST_P(CanvasTest, HollowOvalLeavesItsInteriorAlone)
{
    draw(DRAW_OVAL, 1, -40, 20, 40, -20);
    const Bounds b = painted();
    EXPECT_EQ(std::vector<int>({b.left, b.top, b.right, b.bottom}), std::vector<int>({260, 230, 340, 270}));
    EXPECT_FALSE(blue(300, 250));
    EXPECT_FALSE(blue(270, 250));
    // A wide pen thickens the same outline around the box's edge.
    canvas.clear_white_framed();
    draw(DRAW_OVAL, 5, -40, 20, 40, -20);
    EXPECT_TRUE(blue(260, 250));
    EXPECT_TRUE(blue(262, 250));
    EXPECT_FALSE(blue(266, 250));
    EXPECT_FALSE(blue(300, 250));
}

TEST_P(CanvasTest, OnePixelLinesLeaveOutTheirEndPixel)
{
    struct Case {
        int x1, y1, x2, y2;
    };
    for (const Case& c : std::vector<Case>{
             {0, 0, 10, 0}, {0, 0, -10, 0}, {0, 0, 0, -7}, {0, 0, 0, 7}, {0, 0, 5, 5}, {3, 1, -9, 4}, {2, 2, 2, 2}}) {
        canvas.clear_white_framed();
        draw(DRAW_LINE, 1, c.x1, c.y1, c.x2, c.y2);
        const int length = std::max(std::abs(c.x2 - c.x1), std::abs(c.y2 - c.y1));
        EXPECT_EQ(painted().count, length) << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
        EXPECT_FALSE(blue(300 + c.x2, 250 - c.y2));
        EXPECT_EQ(blue(300 + c.x1, 250 - c.y1), length > 0);
    }
}

TEST_P(CanvasTest, VerticalLinesKeepTheirPlaceInTheDrawingOrder)
{
    const Rgb RED{255, 0, 0};
    // A vertical line under a box, over a box, under text, and before a clear.
    draw(DRAW_LINE, 1, 0, 10, 0, -10);
    draw(DRAW_RECTANGLE, 0, -2, 2, 2, -2, 0, 0, RED);
    EXPECT_EQ(canvas.pixel(ORIGIN_X, ORIGIN_Y), RED);
    EXPECT_TRUE(blue(ORIGIN_X, ORIGIN_Y - 5));
    draw(DRAW_LINE, 1, 1, 10, 1, -10);
    EXPECT_TRUE(blue(ORIGIN_X + 1, ORIGIN_Y));
    draw(DRAW_LINE, 1, 50, 60, 50, -60);
    render_text(canvas, "MMMM", 40, 10, 40, RED);
    int text_over_line = 0;
    for (int row = ORIGIN_Y - 60; row <= ORIGIN_Y + 60; ++row) {
        text_over_line += canvas.pixel(ORIGIN_X + 50, row) == RED;
    }
    EXPECT_GT(text_over_line, 0);
    draw(DRAW_LINE, 1, 100, 10, 100, -10);
    canvas.clear_white_framed();
    EXPECT_EQ(canvas.pixel(ORIGIN_X + 100, ORIGIN_Y), WHITE);
}

TEST_P(CanvasTest, WideLineIsAStrokeAroundTheLine)
{
    draw(DRAW_LINE, 5, -20, 0, 20, 0);
    for (int row = 248; row <= 252; ++row) {
        EXPECT_TRUE(blue(300, row)) << row;
    }
    EXPECT_FALSE(blue(300, 246));
    EXPECT_FALSE(blue(300, 254));
}

TEST_P(CanvasTest, TrianglesFillOrOutline)
{
    draw(DRAW_TRIANGLE, 0, -20, -10, 20, -10, 0, 20);
    EXPECT_TRUE(blue(280, 260));
    EXPECT_TRUE(blue(320, 260));
    EXPECT_TRUE(blue(300, 230));
    EXPECT_TRUE(blue(300, 250));
    EXPECT_FALSE(blue(321, 260));
    canvas.clear_white_framed();
    draw(DRAW_TRIANGLE, 1, -20, -10, 20, -10, 0, 20);
    EXPECT_TRUE(blue(280, 260));
    EXPECT_TRUE(blue(320, 260));
    EXPECT_TRUE(blue(300, 230));
    EXPECT_FALSE(blue(300, 250));
}

TEST_P(CanvasTest, FarAwayCoordinatesAreClippedNotOverflowed)
{
    draw(DRAW_LINE, 1, INT_MIN, 0, INT_MAX, 0);
    EXPECT_TRUE(painted().fills(0, 250, 600, 250));
    draw(DRAW_RECTANGLE, 0, INT_MIN, INT_MAX, INT_MAX, INT_MIN);
    EXPECT_TRUE(painted().fills(0, 0, 600, 539));
    canvas.clear_white_framed();
    draw(DRAW_OVAL, 0, INT_MIN, INT_MAX, INT_MAX, INT_MIN);
    EXPECT_TRUE(blue(300, 250));
    canvas.clear_white_framed();
    draw(DRAW_LINE, 9, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    draw(DRAW_TRIANGLE, 0, INT_MIN, INT_MIN, INT_MAX, INT_MIN, 0, INT_MAX);
    draw(DRAW_OVAL, 7, INT_MIN, INT_MAX, INT_MAX, INT_MIN);
    render_text(canvas, "far", INT_MAX, INT_MIN, 12);
    EXPECT_TRUE(blue(300, 250));
}

TEST_P(CanvasTest, TextLinesStackOneLineHeightApart)
{
    const int h = GetParam().text_line_height(20);
    ASSERT_GT(h, 20);
    render_text(canvas, "A\nB", 0, 0, 20);
    const Bounds b = painted();
    EXPECT_GE(b.left, ORIGIN_X);
    EXPECT_LT(b.top, ORIGIN_Y);     // the A is in the cell above the anchor row
    EXPECT_GE(b.bottom, ORIGIN_Y);  // the B in the one below it
    EXPECT_LT(b.bottom, ORIGIN_Y + h);
    // The same as drawing the lines one by one, the second anchored h rows lower.
    const std::unique_ptr<Canvas> separate = fresh_canvas();
    render_text(*separate, "A", 0, 0, 20);
    render_text(*separate, "B", 0, -h, 20);
    EXPECT_TRUE(same_pixels(canvas, *separate));
}

TEST_P(CanvasTest, TextPaintsOnlyUnblendedGlyphPixels)
{
    const std::unique_ptr<Canvas> reference = fresh_canvas();
    render_text(canvas, "", 0, 0, 12);
    render_text(canvas, "\n", 0, 0, 12);
    EXPECT_TRUE(same_pixels(canvas, *reference));

    // Size 0 is the default height; a trailing newline adds an empty line that draws nothing.
    render_text(canvas, "Hi\n", 0, 0, 0);
    render_text(*reference, "Hi", 0, 0, tavro::DEFAULT_POINT_SIZE);
    EXPECT_TRUE(same_pixels(canvas, *reference));

    canvas.clear_white_framed();
    const Rgb red{255, 0, 0};
    draw(DRAW_RECTANGLE, 0, -10, 30, 60, -10, 0, 0, red);
    render_text(canvas, "Hi", 0, 0, 20);
    const int glyph_pixels = painted().count;
    EXPECT_GT(glyph_pixels, 0);
    EXPECT_EQ(painted(red).count + glyph_pixels, 71 * 41) << "background kept, no blended pixels";
}

TEST_P(CanvasTest, EightBitTextIsDrawnAndLaterDrawingStillWorks)
{
    render_text(canvas, "caf\xE9 \x01", 0, 0, 16);
    EXPECT_GT(painted().count, 0);
    canvas.clear_white_framed();
    draw(DRAW_PIXEL, 0, 1, 1, 0, 0);
    EXPECT_TRUE(painted().fills(301, 249, 301, 249));
}

// An image Cairo refuses would draw nothing, silently: its making fails with the size and the reason.
TEST(CairoImage, ASizeCairoRefusesIsNamed)
{
    for (const auto& [width, height, start] : {std::make_tuple(-1, 1, "cannot make a -1 x 1 image: "),
                                               std::make_tuple(40000, 1, "cannot make a 40000 x 1 image: ")}) {
        try {
            tavro::make_image_surface(width, height);
            ADD_FAILURE() << "made a " << width << " x " << height << " image";
        } catch (const std::runtime_error& problem) {
            EXPECT_EQ(std::string(problem.what()).rfind(start, 0), 0u) << problem.what();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Canvases, CanvasTest, ::testing::ValuesIn(CANVAS_KINDS),
                         [](const ::testing::TestParamInfo<CanvasKind>& info) { return std::string(info.param.name); });

}  // namespace
