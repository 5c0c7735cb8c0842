// The city's reactions to clicks and ticks, and what it draws on top of the scene.
#include "core/session.h"
#include "city_loop.h"
#include <tavro/display.h>
#include "hosts/headless/headless_driver.h"
#include "random.h"
#include "core/run_mode.h"
#include "traffic_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

using namespace tavro;

namespace {

class CityLoop : public ::testing::Test {
protected:
    void press(int x, int y) { handle_click(*city, x, y); }

    Display display;
    std::unique_ptr<City> city = std::make_unique<City>();
    TrafficSystem traffic;
    tavro::HeadlessDriver& driver = tavro::headless_driver();
};

TEST_F(CityLoop, IncreaseCarsDownToZeroResetsTheIntervalToTwenty)
{
    for (int press_count = 1; press_count <= 15; ++press_count) {
        press(-275, -231);
        EXPECT_EQ(city->spawn_interval, 80 - 5 * press_count);
        EXPECT_EQ(city->spawn_countdown, city->spawn_interval);
    }
    press(-290, -250);  // the button's lower-left corner is part of it
    EXPECT_EQ(city->spawn_interval, 20);
    EXPECT_EQ(city->spawn_countdown, 20);
    press(-257 - 1, -213);
    EXPECT_EQ(city->spawn_interval, 15);
}

TEST_F(CityLoop, TheSharedButtonColumnRestartsTheCountdownOnly)
{
    city->spawn_countdown = 33;
    press(-257, -240);
    EXPECT_EQ(city->spawn_interval, 80);
    EXPECT_EQ(city->spawn_countdown, 80);
    press(-220, -213);
    EXPECT_EQ(city->spawn_interval, 85);
}

TEST_F(CityLoop, ClicksOutsideEveryRegionChangeNothing)
{
    press(-292, -230);
    press(-275, -251);
    press(-221 + 2, -230);
    EXPECT_EQ(city->spawn_interval, 80);
    EXPECT_EQ(city->spawn_countdown, 80);
    EXPECT_EQ(city->person_count, 0);
    EXPECT_EQ(city->tree_count, 4);
    EXPECT_FALSE(city->snow_active);
}

TEST_F(CityLoop, FiguresAreTakenInsideTheStrictBoundsUpToTen)
{
    press(130, 100);
    press(200, 40);
    press(300, 100);
    EXPECT_EQ(city->person_count, 0);
    press(131, 41);
    press(299, 249);
    EXPECT_EQ(city->person_count, 2);
    EXPECT_EQ(city->person_x[1], 299);
    EXPECT_EQ(city->person_y[1], 249);
    for (int i = 0; i < 9; ++i) {
        press(200, 200 + i);
    }
    EXPECT_EQ(city->person_count, 10);
    EXPECT_EQ(city->person_y[9], 207);
}

TEST_F(CityLoop, TreesAreTakenInAnyOfTheThreeBoxesUpToTwenty)
{
    press(-276, -149);
    press(-275, -140);  // beyond the left box and in no other
    press(-124, 26);
    press(-200, -124);
    press(-200, -125);
    EXPECT_EQ(city->tree_count, 7);
    EXPECT_EQ(city->tree_x[4], -276);
    EXPECT_EQ(city->tree_x[5], -124);
    EXPECT_EQ(city->tree_x[6], -200);
    for (int i = 0; i < 14; ++i) {
        press(0, 100 + i);
    }
    EXPECT_EQ(city->tree_count, 20);
    EXPECT_EQ(city->tree_y[19], 112);
}

TEST_F(CityLoop, SnowShowsInTheClickFrameAndTheNextNineteenTicks)
{
    press(266, -249);
    EXPECT_TRUE(city->snow_active);
    for (int tick = 1; tick <= 19; ++tick) {
        periodic_tick(*city, traffic);
        EXPECT_TRUE(city->snow_active) << tick;
    }
    periodic_tick(*city, traffic);
    EXPECT_FALSE(city->snow_active);
    press(299, -231);
    EXPECT_TRUE(city->snow_active);
    EXPECT_EQ(city->snow_frames_left, 20);
}

TEST_F(CityLoop, FlakesDependOnlyOnTheClockSecond)
{
    press(280, -240);
    const auto first_x = city->flake_x;
    const auto first_y = city->flake_y;
    periodic_tick(*city, traffic);
    EXPECT_EQ(city->flake_x, first_x);
    EXPECT_EQ(city->flake_y, first_y);
    for (int j = 0; j < FLAKE_COUNT; ++j) {
        ASSERT_GE(city->flake_x[j], -299);
        ASSERT_LE(city->flake_x[j], 300);
        ASSERT_GE(city->flake_y[j], -249);
        ASSERT_LE(city->flake_y[j], 250);
    }
    // Ten timer ticks move the virtual clock on by a second.
    display.set_animation_mode(2);
    for (int i = 0; i < 10; ++i) {
        int x, y;
        char key;
        display.wait_for_event(x, y, key);
    }
    periodic_tick(*city, traffic);
    EXPECT_NE(city->flake_x, first_x);
}

TEST_F(CityLoop, ASpawnInASnowTickRepeatsTheFirstThreeSnowDraws)
{
    press(280, -240);
    city->spawn_countdown = 1;
    periodic_tick(*city, traffic);
    city::srand(static_cast<unsigned>(tavro_time()));
    const int r0 = city::rand();
    const int r1 = city::rand();
    const int r2 = city::rand();
    EXPECT_EQ(city->flake_x[0], r0 % 600 - 299);
    EXPECT_EQ(city->flake_y[0], r1 % 500 - 249);
    EXPECT_EQ(city->flake_x[1], r2 % 600 - 299);
    EXPECT_EQ(city->spawn_entry, r0 % 3 + 1);
    EXPECT_EQ(city->spawn_route, r1 % 6 + 1);
    EXPECT_EQ(city->spawn_kind, r2 % 4 + 1);
    EXPECT_EQ(city->spawn_countdown, 80);
}

TEST_F(CityLoop, ATickMovesTheBoatTheDuckAndTheLamps)
{
    periodic_tick(*city, traffic);
    EXPECT_EQ(city->boat_pos, Point(-94, -95));
    EXPECT_EQ(city->duck_pos, Point(241, 60));
    EXPECT_EQ(city->duck_facing, EAST);
    EXPECT_EQ(city->blink_phase, 19);
    EXPECT_EQ(city->spawn_countdown, 79);
}

TEST_F(CityLoop, TheFrameDrawsSnowLastAsShortWhiteLines)
{
    press(280, -240);
    session().run.set_logging(true);
    driver.clear_text_lines();
    draw_frame(*city, display, traffic);
    const auto& lines = driver.text_lines();
    ASSERT_GE(lines.size(), static_cast<std::size_t>(FLAKE_COUNT));
    const std::string last = lines.back();
    const int x = city->flake_x[FLAKE_COUNT - 1];
    const int y = city->flake_y[FLAKE_COUNT - 1];
    EXPECT_EQ(last, "white line from (" + std::to_string(x) + "," + std::to_string(y) + ") to (" + std::to_string(x) +
                        "," + std::to_string(y - 4) + "), width 1");
    const auto white_lines = std::count_if(
        lines.begin(), lines.end(), [](const std::string& line) { return line.rfind("white line from", 0) == 0; });
    EXPECT_EQ(white_lines, FLAKE_COUNT);
}

TEST_F(CityLoop, StartUpDrawsOnlyTheBoatAndTheDuck)
{
    session().run.set_logging(true);
    driver.clear_text_lines();
    start_city(*city, display, traffic);
    const auto& lines = driver.text_lines();
    ASSERT_EQ(lines.size(), 4u + 4u);
    EXPECT_EQ(lines[0], "white rectangle with bounding box (-100,-90) to (-90,-100), filled");
    EXPECT_EQ(lines[4], "yellow oval with bounding box (240,60) to (246,56), filled");
}

}  // namespace
