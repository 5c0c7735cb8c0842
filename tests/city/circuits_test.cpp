#include "core/session.h"
#include "circuits.h"

#include <tavro/display.h>
#include "hosts/headless/headless_driver.h"
#include "core/run_mode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

using namespace tavro;

namespace {

using Stepper = void (*)(Point&, Direction&);

struct StepCase {
    const char* name;
    Stepper step;
    Point from;
    Direction facing;
    Point to;
    Direction new_facing;
};

TEST(Circuits, SingleStepsAlongEdgesAndAcrossCorners)
{
    const StepCase cases[] = {
        {"boat start", step_boat, Point(-95, -95), EAST, Point(-94, -95), EAST},
        {"boat bottom right corner", step_boat, Point(47, -95), EAST, Point(48, -94), NORTH},
        {"boat reaches top right", step_boat, Point(48, -56), NORTH, Point(48, -55), NORTH},
        {"boat turns west", step_boat, Point(48, -55), NORTH, Point(47, -55), WEST},
        {"boat top left corner", step_boat, Point(-94, -55), WEST, Point(-95, -56), SOUTH},
        {"boat back at start", step_boat, Point(-95, -94), SOUTH, Point(-95, -95), SOUTH},
        {"boat off the circuit", step_boat, Point(0, 0), WEST, Point(0, 0), WEST},
        {"duck start", step_duck, Point(240, 60), NORTH, Point(241, 60), EAST},
        {"duck bottom right corner", step_duck, Point(274, 60), EAST, Point(275, 61), NORTH},
        {"duck turns west", step_duck, Point(275, 105), NORTH, Point(274, 105), WEST},
        {"duck top left corner", step_duck, Point(241, 105), WEST, Point(240, 104), SOUTH},
        {"duck off the circuit", step_duck, Point(-95, -95), EAST, Point(-95, -95), EAST},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.name);
        Point position = c.from;
        Direction facing = c.facing;
        c.step(position, facing);
        EXPECT_EQ(position, c.to);
        EXPECT_EQ(facing, c.new_facing);
    }
}

// Facings along one lap, as (facing, number of steps) runs.
std::vector<std::pair<Direction, int>> lap(Stepper step, Point start, Direction facing, int& steps)
{
    std::vector<std::pair<Direction, int>> runs;
    Point position = start;
    steps = 0;
    do {
        const Point before = position;
        step(position, facing);
        ++steps;
        const int dx = std::abs(position.x - before.x);
        const int dy = std::abs(position.y - before.y);
        EXPECT_TRUE(dx <= 1 && dy <= 1 && dx + dy > 0) << "step " << steps;
        if (runs.empty() || runs.back().first != facing) {
            runs.emplace_back(facing, 0);
        }
        ++runs.back().second;
    } while (position != start && steps < 1000);
    return runs;
}

TEST(Circuits, BoatLapsItsPondCounterClockwise)
{
    Point start;
    place_boat(start);
    ASSERT_EQ(start, Point(-95, -95));
    int steps = 0;
    const std::vector<std::pair<Direction, int>> expected = {{EAST, 142}, {NORTH, 40}, {WEST, 142}, {SOUTH, 40}};
    EXPECT_EQ(lap(step_boat, start, EAST, steps), expected);
    EXPECT_EQ(steps, 364);
    // The second lap is the same as the first.
    EXPECT_EQ(lap(step_boat, start, SOUTH, steps), expected);
}

TEST(Circuits, DuckLapsItsPondCounterClockwise)
{
    Point start;
    place_duck(start);
    ASSERT_EQ(start, Point(240, 60));
    int steps = 0;
    const std::vector<std::pair<Direction, int>> expected = {{EAST, 34}, {NORTH, 45}, {WEST, 34}, {SOUTH, 45}};
    EXPECT_EQ(lap(step_duck, start, NORTH, steps), expected);
    EXPECT_EQ(steps, 158);
}

std::vector<std::string> logged_lines(void (*draw)(const int*, const int*, int), const int* xs, const int* ys,
                                      int count)
{
    session().run.set_logging(true);
    tavro::headless_driver().clear_text_lines();
    draw(xs, ys, count);
    return tavro::headless_driver().text_lines();
}

TEST(PlacedFigures, EachFigureIsTenShapesAtItsOwnPlace)
{
    Display display;
    const int xs[10] = {150, 290};
    const int ys[10] = {100, 45};
    EXPECT_TRUE(logged_lines(draw_figures, xs, ys, 0).empty());

    const std::vector<std::string> lines = logged_lines(draw_figures, xs, ys, 2);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "yellow circle at (150,100), radius 3");
    EXPECT_EQ(lines[3], "yellow oval with bounding box (147,95) to (153,85), filled");
    EXPECT_EQ(lines[9], "yellow circle at (153,75), radius 1");
    EXPECT_EQ(lines[10], "yellow circle at (290,45), radius 3");
    EXPECT_EQ(lines[19], "yellow circle at (293,20), radius 1");
}

TEST(Trees, FixedTreesAreRewrittenAndDrawnWithPlacedOnesKept)
{
    Display display;
    int xs[20];
    int ys[20];
    std::fill(xs, xs + 20, 7);
    std::fill(ys, ys + 20, -7);
    set_fixed_trees(xs, ys);
    EXPECT_EQ(xs[4], 7);
    EXPECT_EQ(ys[19], -7);
    EXPECT_TRUE(logged_lines(draw_trees, xs, ys, 0).empty());

    const std::vector<std::string> lines = logged_lines(draw_trees, xs, ys, 4);
    ASSERT_EQ(lines.size(), 4u * 25u);
    EXPECT_EQ(lines[0], "brown triangle at (45,150), (43,125), (47,125)");
    EXPECT_EQ(lines[1], "forest green circle at (45,147), radius 2");
    EXPECT_EQ(lines[24], "forest green circle at (35,167), radius 2");
    EXPECT_EQ(lines[25], "brown triangle at (-200,150), (-202,125), (-198,125)");
    EXPECT_EQ(lines[50], "brown triangle at (-200,0), (-202,-25), (-198,-25)");
    EXPECT_EQ(lines[75], "brown triangle at (-100,75), (-102,50), (-98,50)");
    const auto dots = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("forest green circle at (", 0) == 0 && line.find("radius 2") != std::string::npos;
    });
    EXPECT_EQ(dots, 4 * 24);
}

}  // namespace
