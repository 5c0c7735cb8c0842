#include "core/session.h"
#include "small_life.h"

#include <tavro/display.h>
#include "hosts/headless/headless_driver.h"
#include "core/run_mode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tavro;

namespace {

// Lines logged by the drawing that draw() does, with logging on.
template <typename Draw>
std::vector<std::string> logged(Draw draw)
{
    session().run.set_logging(true);
    tavro::headless_driver().clear_text_lines();
    draw();
    return tavro::headless_driver().text_lines();
}

bool between(int value, int low, int high) { return value >= low && value <= high; }

TEST(BlinkCycle, LampsFollowTheTwentyTickCycleFromTheStartValues)
{
    int phase = 20;
    int stop_lamp = COLOUR_PEACH;
    int signal_lamp = COLOUR_RED;
    for (int call = 0; call < 45; ++call) {
        const int before = 20 - call % 20;
        ASSERT_EQ(phase, before) << "call " << call;
        advance_blink_phase(phase, stop_lamp, signal_lamp);

        const bool first_cycle = call < 20;
        int expected_stop = COLOUR_SEA_GREEN;
        if (between(before, 13, 16) || between(before, 5, 8)) {
            expected_stop = COLOUR_RED;
        } else if (before >= 17 && first_cycle) {
            expected_stop = COLOUR_PEACH;
        }
        int expected_signal = COLOUR_SEA_GREEN;
        if (between(before, 11, 14) || between(before, 3, 6) || (before >= 15 && first_cycle)) {
            expected_signal = COLOUR_RED;
        }
        EXPECT_EQ(stop_lamp, expected_stop) << "call " << call << " at phase " << before;
        EXPECT_EQ(signal_lamp, expected_signal) << "call " << call << " at phase " << before;
    }
}

TEST(Pedestrian, EachStepWalksTwoEastAndFlipsTheSharedPose)
{
    Point first(-150, 0), second(40, -20);
    int arm_drop = 0, leg_spread = 0, arm_toggle = 1, leg_toggle = 1;
    step_pedestrian(first, arm_drop, leg_spread, arm_toggle, leg_toggle);
    EXPECT_EQ(std::vector<int>({first.x, arm_drop, leg_spread, arm_toggle, leg_toggle}),
              std::vector<int>({-148, 5, 3, 0, 0}));
    step_pedestrian(first, arm_drop, leg_spread, arm_toggle, leg_toggle);
    EXPECT_EQ(std::vector<int>({first.x, arm_drop, leg_spread, arm_toggle, leg_toggle}),
              std::vector<int>({-146, 8, 5, 1, 1}));

    // Two walkers in one tick flip the shared pose twice: it is the same after every tick.
    for (int tick = 0; tick < 3; ++tick) {
        step_pedestrian(first, arm_drop, leg_spread, arm_toggle, leg_toggle);
        step_pedestrian(second, arm_drop, leg_spread, arm_toggle, leg_toggle);
        EXPECT_EQ(arm_drop, 8) << "tick " << tick;
        EXPECT_EQ(leg_spread, 5) << "tick " << tick;
    }
    EXPECT_EQ(first, Point(-140, 0));
    EXPECT_EQ(second, Point(46, -20));
}

TEST(Pedestrian, WalkingFigureWithItsSpeechLine)
{
    Display display;
    const std::vector<std::string> expected = {
        "cyan text at (-120,-200), \"Let's go shopping\"",
        "yellow circle at (-71,3), radius 3",
        "yellow circle at (-71,-4), radius 4",
        "yellow line from (-74,-3) to (-81,-8), width 1",
        "yellow line from (-74,-3) to (-61,-8), width 1",
        "yellow line from (-74,-9) to (-76,-16), width 1",
        "yellow line from (-68,-9) to (-66,-16), width 1",
    };
    EXPECT_EQ(logged([] { draw_pedestrian(Point(-71, 0), 8, 5); }), expected);
}

TEST(Pedestrian, ZonesDecideTheMessageAndWhetherItIsShown)
{
    struct Case {
        Point position;
        const char* first_line;  // nullptr: nothing drawn
        size_t line_count;
    };
    const char* shopping = "cyan text at (-120,-200), \"Let's go shopping\"";
    const char* home = "cyan text at (0,-200), \"Let's go home\"";
    const char* nice_day = "gold text at (150,200), \"Such a nice day\"";
    const char* so_nice = "gold text at (150,186), \"Hmm, So nice\"";
    const Case cases[] = {
        {Point(-71, 0), shopping, 7},   {Point(-400, -300), shopping, 7}, {Point(31, -100), home, 7},
        {Point(89, 0), home, 7},        {Point(101, 101), nice_day, 7},   {Point(199, 240), nice_day, 7},
        {Point(201, 101), so_nice, 11}, {Point(399, 101), so_nice, 11},   {Point(-70, 0), nullptr, 0},
        {Point(30, 0), nullptr, 0},     {Point(90, 0), nullptr, 0},       {Point(95, 150), nullptr, 0},
        {Point(100, 150), nullptr, 0},  {Point(200, 150), nullptr, 0},    {Point(150, 100), nullptr, 0},
        {Point(250, 100), nullptr, 0},  {Point(400, 150), nullptr, 0},    {Point(150, -50), nullptr, 0},
    };
    Display display;
    for (const Case& c : cases) {
        const std::vector<std::string> lines = logged([&] { draw_pedestrian(c.position, 5, 3); });
        SCOPED_TRACE("at (" + std::to_string(c.position.x) + "," + std::to_string(c.position.y) + ")");
        ASSERT_EQ(lines.size(), c.line_count);
        if (c.first_line != nullptr) {
            EXPECT_EQ(lines.front(), c.first_line);
        }
    }
}

TEST(Pedestrian, ParkCornerShowsTheFixedFigureWhereverTheWalkerIs)
{
    Display display;
    const std::vector<std::string> at_walker = logged([] { draw_pedestrian(Point(250, 150), 5, 3); });
    ASSERT_EQ(at_walker.size(), 11u);
    EXPECT_EQ(at_walker[1], "yellow circle at (203,228), radius 3");
    EXPECT_EQ(at_walker[10], "yellow circle at (206,203), radius 1");
    for (const std::string& line : at_walker) {
        EXPECT_EQ(line.find("(250,"), std::string::npos) << line;
    }
    EXPECT_EQ(logged([] { draw_pedestrian(Point(399, 101), 8, 5); }), at_walker);
}

TEST(BoatFigure, BowPointsTheWayItFaces)
{
    struct Case {
        Direction facing;
        const char* stern;
        const char* bow;
    };
    const Case cases[] = {
        {NORTH, "white circle at (0,-5), radius 5", "white triangle at (-5,5), (5,5), (0,10)"},
        {EAST, "white circle at (-5,0), radius 5", "white triangle at (5,5), (5,-5), (10,0)"},
        {SOUTH, "white circle at (0,5), radius 5", "white triangle at (5,-5), (-5,-5), (0,-10)"},
        {WEST, "white circle at (5,0), radius 5", "white triangle at (-5,-5), (-5,5), (-10,0)"},
    };
    Display display;
    const std::string hull = "white rectangle with bounding box (-5,5) to (5,-5), filled";
    for (const Case& c : cases) {
        SCOPED_TRACE("facing " + std::to_string(c.facing));
        const std::vector<std::string> expected = {hull, c.stern, hull, c.bow};
        EXPECT_EQ(logged([&] { draw_boat(Point(0, 0), display, c.facing); }), expected);
    }
}

TEST(DuckFigure, WholeDuckIsTurnedAboutItself)
{
    Display display;
    const std::vector<std::string> east_at_origin = {
        "yellow oval with bounding box (-4,0) to (0,-6), filled",
        "yellow circle at (1,-5), radius 2",
        "orange triangle at (2,-7), (1,-9), (0,-7)",
        "black pixel at (1,-5)",
    };
    EXPECT_EQ(logged([&] { draw_duck(Point(0, 0), display, EAST); }), east_at_origin);

    // Turned about the duck itself, not about the origin.
    const std::vector<std::string> west_on_pond = {
        "yellow oval with bounding box (250,106) to (254,100), filled",
        "yellow circle at (249,105), radius 2",
        "orange triangle at (248,107), (249,109), (250,107)",
        "black pixel at (249,105)",
    };
    EXPECT_EQ(logged([&] { draw_duck(Point(250, 100), display, WEST); }), west_on_pond);
}

}  // namespace
