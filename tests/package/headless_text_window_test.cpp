// The headless text window: lines kept, drawn on demand.
#include "hosts/headless/headless_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace tavro;

namespace {

using tavro::HeadlessHost;
using tavro::Rgb;

constexpr int WIDTH = 1024;
constexpr int HEIGHT = 256;
const Rgb WHITE{255, 255, 255};
const Rgb BLACK{0, 0, 0};

class TextWindowTest : public ::testing::Test {
protected:
    TextWindowTest() { host.create_text_window(0, 513, WIDTH, HEIGHT); }

    static void put_lines(HeadlessHost& target, int first, int last)
    {
        for (int i = first; i <= last; ++i) {
            target.text_put_line(("line " + std::to_string(i)).c_str());
        }
    }
    // Rows [top, top + rows) of a and rows [other_top, ...) of b hold the same pixels.
    static bool same_rows(const HeadlessHost& a, int top, const HeadlessHost& b, int other_top, int rows)
    {
        for (int r = 0; r < rows; ++r) {
            for (int column = 0; column < WIDTH; ++column) {
                if (a.text_window().pixel(column, top + r) != b.text_window().pixel(column, other_top + r)) {
                    return false;
                }
            }
        }
        return true;
    }
    static bool all_white(const HeadlessHost& a, int top, int rows)
    {
        for (int r = top; r < top + rows; ++r) {
            for (int column = 0; column < WIDTH; ++column) {
                if (a.text_window().pixel(column, r) != WHITE) {
                    return false;
                }
            }
        }
        return true;
    }

    HeadlessHost host;
    tavro::HeadlessDriver driver{host};
};

TEST_F(TextWindowTest, ShowsTheNewestLinesWithTheLastAtTheBottom)
{
    const int h = host.text_window().line_height();
    ASSERT_GT(h, 8);
    const int fitting = (HEIGHT + h - 1) / h;
    put_lines(host, 1, 40);
    const std::vector<std::string> visible = host.text_window().visible_lines();
    ASSERT_EQ(static_cast<int>(visible.size()), fitting);
    EXPECT_EQ(visible.front(), "line " + std::to_string(41 - fitting));
    EXPECT_EQ(visible.back(), "line 40");

    // What shows depends only on the lines still in view.
    HeadlessHost recent;
    recent.create_text_window(0, 513, WIDTH, HEIGHT);
    put_lines(recent, 41 - fitting, 40);
    EXPECT_TRUE(same_rows(host, 0, recent, 0, HEIGHT));

    // The bottom strip is what a single "line 40" gives; the text starts 5 pixels in.
    HeadlessHost single;
    single.create_text_window(0, 513, WIDTH, HEIGHT);
    put_lines(single, 40, 40);
    EXPECT_TRUE(same_rows(host, HEIGHT - h, single, HEIGHT - h, h));
    EXPECT_TRUE(all_white(single, 0, HEIGHT - h));
    int leftmost = WIDTH;
    for (int row = HEIGHT - h; row < HEIGHT; ++row) {
        for (int column = 0; column < WIDTH; ++column) {
            if (single.text_window().pixel(column, row) == BLACK) {
                leftmost = std::min(leftmost, column);
            }
        }
    }
    EXPECT_GE(leftmost, 5);
    EXPECT_LT(leftmost, 8);
}

TEST_F(TextWindowTest, EveryLineScrollsByOneLineHeightEvenWhenEmpty)
{
    const int h = host.text_window().line_height();
    put_lines(host, 1, 1);
    HeadlessHost scrolled;
    scrolled.create_text_window(0, 513, WIDTH, HEIGHT);
    put_lines(scrolled, 1, 1);
    scrolled.text_put_line("");
    EXPECT_TRUE(same_rows(scrolled, 0, host, h, HEIGHT - h));
    EXPECT_TRUE(all_white(scrolled, HEIGHT - h, h));
    EXPECT_EQ(scrolled.text_window().visible_lines(), (std::vector<std::string>{"line 1", ""}));
}

TEST_F(TextWindowTest, RepaintStartsFromAWhiteWindowButKeepsTheLog)
{
    put_lines(host, 1, 3);
    host.begin_paint(tavro::WindowId::text);
    EXPECT_TRUE(host.text_window().visible_lines().empty());
    EXPECT_TRUE(all_white(host, 0, HEIGHT));
    EXPECT_EQ(driver.text_lines().size(), 3u);
    EXPECT_EQ(host.text_window().pixel(WIDTH, 0), BLACK);
}

TEST_F(TextWindowTest, LinesGoToTheLogAndTheSinkInOrder)
{
    std::vector<std::string> sunk;
    driver.set_text_line_sink([&sunk](std::string_view line) { sunk.emplace_back(line); });
    put_lines(host, 1, 2);
    driver.set_keep_text_lines(false);
    put_lines(host, 3, 3);
    EXPECT_EQ(driver.text_lines(), (std::vector<std::string>{"line 1", "line 2"}));
    EXPECT_EQ(sunk, (std::vector<std::string>{"line 1", "line 2", "line 3"}));
    driver.clear_text_lines();
    EXPECT_TRUE(driver.text_lines().empty());
    EXPECT_EQ(host.text_window().visible_lines().back(), "line 3");
}

}  // namespace
