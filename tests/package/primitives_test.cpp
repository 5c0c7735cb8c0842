// Corrections, log lines and the image-dirty flag of the drawing primitives.
#include <tavro/display.h>
#include "hosts/headless/headless_driver.h"
#include "core/session.h"
#include "core/run_mode.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using namespace tavro;

namespace {

using Lines = std::vector<std::string>;

class Primitives : public ::testing::Test {
protected:
    void SetUp() override
    {
        session().run.set_logging(true);
        driver.clear_text_lines();
    }
    Display display;
    tavro::HeadlessDriver& driver = tavro::headless_driver();
};

TEST_F(Primitives, RectangleCornersAreExchangedInLogAndImage)
{
    plot_rectangle(COLOUR_BLUE, 10, 10, -10, -10, 0);
    EXPECT_EQ(driver.text_lines(), Lines{"blue rectangle with bounding box (-10,10) to (10,-10), filled"});
    const tavro::Rgb blue{0, 0, 255};
    EXPECT_EQ(driver.canvas().pixel(290, 240), blue);
    EXPECT_EQ(driver.canvas().pixel(310, 260), blue);
    EXPECT_NE(driver.canvas().pixel(289, 240), blue);
    EXPECT_NE(driver.canvas().pixel(311, 260), blue);
}

TEST_F(Primitives, CorrectionsComeInEachCallsOwnOrderBeforeTheLogLine)
{
    plot_oval(-1, 0, 0, 5, 5, -3);
    plot_rectangle(-1, 0, 0, 5, 5, -3);
    EXPECT_EQ(driver.text_lines(), (Lines{
                                       "Width of -3 not possible, using width 3",
                                       "Illegal color -1; using RED.",
                                       "red oval with bounding box (0,5) to (5,0), line width 3",
                                       "Illegal color -1; using RED.",
                                       "Width of -3 not possible, using width 3",
                                       "red rectangle with bounding box (0,5) to (5,0) with line width 3",
                                   }));
}

TEST_F(Primitives, PointSizeIsCorrectedForSignThenForItsBound)
{
    plot_text_string(COLOUR_BLACK, 0, 0, -200, "x");
    plot_text_string(COLOUR_BLACK, 0, 0, 200, "y");
    EXPECT_EQ(driver.text_lines(), (Lines{
                                       "ptsize of -200 not possible, using ptsize 200",
                                       "ptsize of 200 not possible, using ptsize 127",
                                       "black text at (0,0), \"x\"",
                                       "ptsize of 200 not possible, using ptsize 127",
                                       "black text at (0,0), \"y\"",
                                   }));
}

TEST_F(Primitives, IllegalColoursAreReportedAndDrawnRed)
{
    plot_pixel(-1, 0, 0);
    plot_pixel(24, 1, 0);
    plot_pixel(23, 2, 0);
    EXPECT_EQ(driver.text_lines(), (Lines{
                                       "Illegal color -1; using RED.",
                                       "red pixel at (0,0)",
                                       "Illegal color 24; using RED.",
                                       "red pixel at (1,0)",
                                       "20% gray pixel at (2,0)",
                                   }));
    EXPECT_EQ(driver.canvas().pixel(300, 250), (tavro::Rgb{255, 0, 0}));
    EXPECT_EQ(driver.canvas().pixel(301, 250), (tavro::Rgb{255, 0, 0}));
    EXPECT_EQ(driver.canvas().pixel(302, 250), (tavro::Rgb{204, 204, 204}));
}

TEST_F(Primitives, EveryShapeHasItsLogLine)
{
    plot_circle(COLOUR_GREEN, 1, 2, -3);
    plot_triangle(COLOUR_GOLD, 1, 2, 3, 4, 5, 6, 2);
    plot_line(COLOUR_OLIVE, 1, 2, 3, 4, 0);
    plot_oval(COLOUR_PINK, 0, 0, 4, 4, 0);
    EXPECT_EQ(driver.text_lines(), (Lines{
                                       "Radius of -3 not possible, using radius 3",
                                       "green circle at (1,2), radius 3",
                                       "gold triangle at (1,2), (3,4), (5,6)",
                                       "olive line from (1,2) to (3,4), width 0",
                                       "pink oval with bounding box (0,4) to (4,0), filled",
                                   }));
}

// Numbers are written by the log itself: each one as printf writes it, at every digit count.
TEST_F(Primitives, LogLinesWriteNumbersAsPrintfDoes)
{
    const int values[] = {0, 7, -7, 10, -99, 100, 999, -999, 1000, -1000, 65535, INT_MAX, INT_MIN, INT_MIN + 1};
    Lines expected;
    for (const int value : values) {
        plot_pixel(COLOUR_RED, value, 0);
        plot_pixel(COLOUR_RED, 0, value);
        expected.push_back("red pixel at (" + std::to_string(value) + ",0)");
        expected.push_back("red pixel at (0," + std::to_string(value) + ")");
    }
    EXPECT_EQ(driver.text_lines(), expected);
}

TEST_F(Primitives, LoggingOffWritesNothingForGoodArguments)
{
    session().run.set_logging(false);
    plot_pixel(COLOUR_RED, 0, 0);
    plot_line(COLOUR_RED, 0, 0, 5, 5, 1);
    display.draw_text(0, 0, "quiet", COLOUR_BLACK, 12);
    EXPECT_TRUE(driver.text_lines().empty());
    plot_line(COLOUR_RED, 0, 0, 5, 5, -1);
    EXPECT_EQ(driver.text_lines(), Lines{"Width of -1 not possible, using width 1"});
}

// Unlogged one-pixel vertical lines reach the canvas in batches: each step's pixel must show
// the line drawn in order with what came before and after it, as soon as it is read.
TEST_F(Primitives, BatchedVerticalLinesKeepTheirOrderAndAreSeenAtOnce)
{
    session().run.set_logging(false);
    const tavro::Rgb red{255, 0, 0};
    const tavro::Rgb green{0, 255, 0};
    const tavro::Rgb blue{0, 0, 255};
    const tavro::Rgb white{255, 255, 255};
    struct Step {
        void (*draw)();
        int column;
        int row;
        tavro::Rgb expected;
    };
    const Step steps[] = {
        {[] { plot_line(COLOUR_RED, 0, 10, 0, 0, 1); }, 300, 241, red},  // the end pixel (row 250) is left out
        {[] { plot_line(COLOUR_BLUE, 0, 10, 0, 0, 0); }, 300, 249, blue},
        {[] { plot_pixel(COLOUR_GREEN, 0, 5); }, 300, 245, green},  // drawn after the queued line
        {[] { plot_line(COLOUR_RED, 1, 0, 1, 10, 1); }, 301, 241, red},
        {[] { clear_graphics(); }, 301, 241, white},  // the queued line went before the clear
        {[] {
             for (int x = -150; x < 150; ++x) {  // more than one batch
                 plot_line(COLOUR_BLUE, x, 0, x, -3, 1);
             }
         },
         150, 252, blue},
        {[] {}, 449, 252, blue},
        {[] {}, 300, 250, blue},
        {[] {}, 300, 253, white},
    };
    for (const Step& step : steps) {
        step.draw();
        EXPECT_EQ(driver.canvas().pixel(step.column, step.row), step.expected) << step.column << ", " << step.row;
    }
    EXPECT_TRUE(driver.text_lines().empty());
}

TEST_F(Primitives, DrawTextKeepsPercentSignsLiterally)
{
    EXPECT_EQ(display.draw_text(0, 0, "100%d done", COLOUR_BLACK, 12), 10);
    EXPECT_EQ(driver.text_lines(), Lines{"black text at (0,0), \"100%d done\""});
}

TEST_F(Primitives, PlotTextFormatsAndCutsAt1023Characters)
{
    EXPECT_EQ(plot_text(COLOUR_BLACK, 0, 0, 10, "%d-%s", 42, "x"), 4);
    const std::string long_text(3000, 'a');
    EXPECT_EQ(plot_text(COLOUR_BLACK, 0, 0, 10, "%s", long_text.c_str()), 1023);
    ASSERT_EQ(driver.text_lines().size(), 2u);
    EXPECT_EQ(driver.text_lines()[0], "black text at (0,0), \"42-x\"");
    // The log line is cut to a message of at most 1023 characters and keeps its closing quote.
    const std::string& cut = driver.text_lines()[1];
    EXPECT_EQ(cut.size(), 1022u);
    EXPECT_EQ(cut.rfind("black text at (0,0), \"aaa", 0), 0u);
    EXPECT_EQ(cut.substr(cut.size() - 2), "a\"");
}

TEST_F(Primitives, TheMostNegativeSizesBecomeTheLargestUsableOnes)
{
    plot_circle(COLOUR_RED, 10, 10, INT_MIN);
    plot_line(COLOUR_BLUE, 0, 0, 5, 5, INT_MIN);
    plot_text_string(COLOUR_BLACK, 0, 0, INT_MIN, "x");
    EXPECT_EQ(driver.text_lines(), (Lines{
                                       "Radius of -2147483648 not possible, using radius 2147483647",
                                       "red circle at (10,10), radius 2147483647",
                                       "Width of -2147483648 not possible, using width 2147483647",
                                       "blue line from (0,0) to (5,5), width 2147483647",
                                       "ptsize of -2147483648 not possible, using ptsize 2147483647",
                                       "ptsize of 2147483647 not possible, using ptsize 127",
                                       "black text at (0,0), \"x\"",
                                   }));
    // The circle covers the whole image, and the widest pen then covers it too.
    EXPECT_EQ(driver.canvas().pixel(0, 0), (tavro::Rgb{0, 0, 255}));
    EXPECT_EQ(driver.canvas().pixel(600, 539), (tavro::Rgb{0, 0, 255}));
}

TEST_F(Primitives, ClearWritesFlushClearAndRectangleInOrder)
{
    display.clear(COLOUR_SEA_GREEN);
    EXPECT_EQ(driver.text_lines(), (Lines{
                                       "Flushing the graphics window",
                                       "Clearing the graphics window",
                                       "sea green rectangle with bounding box (-300,250) to (300,-250), filled",
                                   }));
    const tavro::Rgb sea_green{51, 204, 153};
    EXPECT_EQ(driver.canvas().pixel(0, 0), sea_green);
    EXPECT_EQ(driver.canvas().pixel(600, 500), sea_green);
    EXPECT_EQ(driver.canvas().pixel(300, 501), (tavro::Rgb{255, 255, 255}));
    EXPECT_EQ(driver.canvas().pixel(600, 539), (tavro::Rgb{0, 0, 0}));
}

TEST_F(Primitives, ClearWithIllegalColourFillsRed)
{
    display.clear(99);
    EXPECT_EQ(driver.text_lines()[2], "Illegal color 99; using RED.");
    EXPECT_EQ(driver.canvas().pixel(300, 250), (tavro::Rgb{255, 0, 0}));
}

TEST_F(Primitives, FlushCopiesOnlyADirtyImage)
{
    plot_pixel(COLOUR_RED, 0, 0);
    const long long before = driver.presents();
    flush_graphics();
    EXPECT_EQ(driver.presents(), before + 1);
    EXPECT_EQ(session().windows.changed(), 0);
    flush_graphics();
    EXPECT_EQ(driver.presents(), before + 1);
    EXPECT_EQ(driver.text_lines(),
              (Lines{"red pixel at (0,0)", "Flushing the graphics window", "Flushing the graphics window"}));
}

TEST_F(Primitives, EmptyTextOnlyMarksTheImageDirty)
{
    display.clear(COLOUR_WHITE);
    flush_graphics();
    ASSERT_EQ(session().windows.changed(), 0);
    display.draw_text(0, 0, "", COLOUR_BLACK, 20);
    EXPECT_EQ(session().windows.changed(), 1);
    for (int row = 200; row < 300; ++row) {
        for (int column = 280; column < 340; ++column) {
            ASSERT_EQ(driver.canvas().pixel(column, row), (tavro::Rgb{255, 255, 255})) << column << "," << row;
        }
    }
}

TEST_F(Primitives, DisplayMethodsForwardWithTheColourMovedFirst)
{
    display.draw_circle(10, 20, 5, COLOUR_BLUE);
    plot_circle(COLOUR_BLUE, 10, 20, 5);
    display.draw_triangle(1, 2, 3, 4, 5, 6, COLOUR_RED, 0);
    display.draw_pixel(7, 8, COLOUR_CYAN);
    EXPECT_EQ(driver.text_lines(), (Lines{
                                       "blue circle at (10,20), radius 5",
                                       "blue circle at (10,20), radius 5",
                                       "red triangle at (1,2), (3,4), (5,6)",
                                       "cyan pixel at (7,8)",
                                   }));
}

}  // namespace
