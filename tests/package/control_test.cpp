// Steering a run through the control interface, as the render entry and the page do.
#include <tavro/display.h>
#include "core/control.h"
#include "hosts/headless/headless_driver.h"
#include "core/run_menu.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace tavro;

namespace {

namespace control = tavro::control;

TEST(Control, OnlyTheQuitRequestAsksToQuit)
{
    EXPECT_TRUE(control::asks_to_quit(control::quit()));
    EXPECT_FALSE(control::asks_to_quit(control::switch_logging()));
    EXPECT_FALSE(control::asks_to_quit(control::switch_playback()));
}

// Logging and a script from another folder, then a quit: each taken by a wait, in order, with
// the observer seeing every wait and the end of the playback.
TEST(Control, RequestsAreCarriedOutByTheWaitsThatTakeThem)
{
    TempDirectory directory;
    std::filesystem::create_directory("scripts");
    write_file("scripts/played.scr", "TAVRO_MOUSE(10, -20);\n");
    Display display;
    tavro::HeadlessDriver& driver = tavro::headless_driver();
    std::vector<std::string> seen;
    control::observe_waits({[&] { seen.push_back("started"); },
                            [&](int kind) { seen.push_back("returned " + std::to_string(kind)); },
                            [&] { seen.push_back("playback ended"); }});
    driver.switch_logging();
    driver.play_script(std::filesystem::absolute("scripts/played.scr").string());

    int x = 0;
    int y = 0;
    char key = 0;
    EXPECT_EQ(display.wait_for_event(x, y, key), event_mouse);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, -20);
    EXPECT_TRUE(driver.menu_checked(COMMAND_LOGGING));
    EXPECT_TRUE(control::playback_on());

    const long long drawings = driver.drawings();
    display.draw_pixel(0, 0, 1);
    EXPECT_EQ(driver.drawings(), drawings + 1);

    driver.push(control::quit());
    EXPECT_EQ(display.wait_for_event(x, y, key), event_quit);
    EXPECT_FALSE(control::playback_on());
    control::observe_waits({});
    const std::vector<std::string> expected{"started", "returned " + std::to_string(event_mouse), "started",
                                            "playback ended", "returned " + std::to_string(event_quit)};
    EXPECT_EQ(seen, expected);
}

}  // namespace
