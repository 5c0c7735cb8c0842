// The desktop program `city` in real windows: titles and places, the Ctrl
// shortcuts, a click on "Snow", the Run menu, the text window, closing windows.
#include "desktop_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <regex>

namespace {

using desktop::DesktopRun;
using desktop::Image;

constexpr int SCREEN_WIDTH = 1024;
constexpr int SCREEN_HEIGHT = 768;
// The "Snow" button's pixel in the drawing area: logical (280, -240).
constexpr int SNOW_COLUMN = 580;
constexpr int SNOW_ROW = 490;
// The "Run" title in the menu bar.
constexpr int RUN_TITLE_X = 15;
constexpr int RUN_TITLE_Y = 12;

// A screenshot that differs from before, within the time allowed; nothing when none does.
std::optional<Image> changed_from(DesktopRun& run, const Image& before)
{
    std::optional<Image> after;
    const bool changed = desktop::eventually(
        [&] {
            after = run.drawing_area();
            return after && desktop::differing_pixels(before, *after) > 0;
        },
        desktop::CHANGE_SECONDS);
    return changed ? after : std::nullopt;
}

// The text window's rows below the graphics window, which overlaps its top.
std::optional<Image> uncovered_text(unsigned long graphics, unsigned long text)
{
    const auto above = desktop::window_geometry(graphics);
    const auto below = desktop::window_geometry(text);
    const auto shot = desktop::screenshot(text);
    if (!above || !below || !shot) {
        return std::nullopt;
    }
    const int covered = std::max(0, above->y + above->height - below->y);
    return shot->crop(0, covered, shot->width, shot->height - covered);
}

TEST(CityWindow, OpensBothWindowsWithTheirTitlesSizesAndPlaces)
{
    DesktopRun run(CITY_PATH);
    ASSERT_TRUE(run.graphics()) << run.process().output();
    const auto graphics = desktop::window_geometry(*run.graphics());
    ASSERT_TRUE(graphics);
    EXPECT_EQ(graphics->width, desktop::CLIENT_WIDTH);
    EXPECT_GT(run.menu_height(), 10);
    // Asked for (0, 0); FLTK keeps room for a frame's border and title when no window manager does.
    EXPECT_LE(graphics->x, 1);
    EXPECT_LE(graphics->y, 20);

    const auto text = desktop::find_window("TAVRO Text", desktop::WINDOW_SECONDS);
    ASSERT_TRUE(text);
    const auto text_geometry = desktop::window_geometry(*text);
    ASSERT_TRUE(text_geometry);
    EXPECT_EQ(text_geometry->x, 0);
    EXPECT_EQ(text_geometry->width, SCREEN_WIDTH);
    EXPECT_EQ(text_geometry->height, SCREEN_HEIGHT / 3);
    // Asked for y = 513; FLTK keeps the bottom border of a frame on the screen.
    EXPECT_GE(text_geometry->y, 2 * SCREEN_HEIGHT / 3 - 2);
    EXPECT_LE(text_geometry->y, 2 * SCREEN_HEIGHT / 3 + 1);

    EXPECT_EQ(run.quit(), 0);
}

TEST(CityWindow, HaltThenSnowThenOneFrameThenQuit)
{
    DesktopRun run(CITY_PATH);
    ASSERT_TRUE(run.graphics()) << run.process().output();
    const auto window = *run.graphics();

    // Halted, the city sleeps: no periodic event is wanted, so nothing moves until input comes.
    ASSERT_TRUE(desktop::send_keys(window, "ctrl+h"));
    const auto halted_at = run.wait_sleeping();
    ASSERT_TRUE(halted_at) << "the city did not halt after Ctrl+H";
    const auto still = run.settled_drawing_area();
    ASSERT_TRUE(still);

    ASSERT_TRUE(run.click_client(SNOW_COLUMN, SNOW_ROW));
    const auto snowing = changed_from(run, *still);
    ASSERT_TRUE(snowing);
    EXPECT_GT(desktop::differing_pixels(*still, *snowing), 100) << "a click on Snow drew no snow";

    ASSERT_TRUE(desktop::send_keys(window, "ctrl+f"));
    const auto advanced = changed_from(run, *snowing);
    ASSERT_TRUE(advanced);
    EXPECT_GT(desktop::differing_pixels(*snowing, *advanced), 0) << "Ctrl+F drew no new frame";
    EXPECT_TRUE(run.wait_sleeping(*halted_at + 1)) << "Ctrl+F gave other than one frame";

    EXPECT_EQ(run.quit(), 0);
}

TEST(CityWindow, AnimatesAtTenPeriodicEventsASecond)
{
    DesktopRun run(CITY_PATH);
    ASSERT_TRUE(run.graphics()) << run.process().output();
    // The recording lies within the time from the first key's sending to the file's closing, however
    // late a loaded machine delivers the keys: at ten a second it holds at most that many events.
    const auto sent = std::chrono::steady_clock::now();
    ASSERT_TRUE(desktop::send_keys(*run.graphics(), "ctrl+r"));
    desktop::pause_for(10);
    ASSERT_TRUE(desktop::send_keys(*run.graphics(), "ctrl+r"));
    // Stopping the recording writes the run of periodic events and closes the file.
    ASSERT_TRUE(desktop::eventually([] { return !read_file("TAVRO.SCR").empty(); }, desktop::CHANGE_SECONDS));
    const std::chrono::duration<double> recorded = std::chrono::steady_clock::now() - sent;
    EXPECT_EQ(run.quit(), 0);
    const std::string script = read_file("TAVRO.SCR");
    int periodic_events = 0;
    const std::regex run_line(R"(TAVRO_PERIODIC\((\d+)\);)");
    for (auto it = std::sregex_iterator(script.begin(), script.end(), run_line); it != std::sregex_iterator(); ++it) {
        periodic_events += std::stoi((*it)[1]);
    }
    EXPECT_GE(periodic_events, 90) << script;
    EXPECT_LE(periodic_events, static_cast<int>(recorded.count() * 10) + 1) << script;
}

TEST(CityWindow, LoggingChosenFromTheMenuFillsTheTextWindowAndQuitEnds)
{
    DesktopRun run(CITY_PATH);
    ASSERT_TRUE(run.graphics()) << run.process().output();
    const auto text = desktop::find_window("TAVRO Text", desktop::WINDOW_SECONDS);
    ASSERT_TRUE(text);
    const auto empty = uncovered_text(*run.graphics(), *text);
    ASSERT_TRUE(empty);
    EXPECT_EQ(desktop::pixels_not_of(*empty, desktop::WHITE), 0) << "the text window shows something before logging";

    // Open "&Run" and pick "&Logging" by its underlined letter.
    ASSERT_TRUE(desktop::click(*run.graphics(), RUN_TITLE_X, RUN_TITLE_Y));
    ASSERT_TRUE(desktop::eventually(desktop::popup_menu_shown, desktop::CHANGE_SECONDS)) << "the Run menu did not open";
    ASSERT_TRUE(desktop::send_keys("l"));
    EXPECT_TRUE(desktop::eventually(
        [&] {
            const auto shot = uncovered_text(*run.graphics(), *text);
            return shot && desktop::pixels_not_of(*shot, desktop::WHITE) > 1000;
        },
        desktop::CHANGE_SECONDS))
        << "no log lines appeared in the text window";

    ASSERT_TRUE(desktop::click(*run.graphics(), RUN_TITLE_X, RUN_TITLE_Y));
    ASSERT_TRUE(desktop::eventually(desktop::popup_menu_shown, desktop::CHANGE_SECONDS)) << "the Run menu did not open";
    ASSERT_TRUE(desktop::send_keys("q"));
    EXPECT_EQ(run.process().wait_exit(desktop::EXIT_SECONDS), 0);
}

TEST(CityWindow, ClosingTheTextWindowKeepsTheCityClosingTheGraphicsWindowEndsIt)
{
    DesktopRun run(CITY_PATH);
    ASSERT_TRUE(run.graphics()) << run.process().output();
    const auto text = desktop::find_window("TAVRO Text", desktop::WINDOW_SECONDS);
    ASSERT_TRUE(text);

    ASSERT_TRUE(desktop::request_close(*text));
    EXPECT_TRUE(desktop::eventually([] { return !desktop::window_titled("TAVRO Text"); }, desktop::CHANGE_SECONDS));
    const auto before = run.drawing_area();
    ASSERT_TRUE(before);
    EXPECT_TRUE(changed_from(run, *before)) << "the city stopped when its text window closed";
    EXPECT_TRUE(run.process().running());

    ASSERT_TRUE(desktop::request_close(*run.graphics()));
    EXPECT_EQ(run.process().wait_exit(desktop::EXIT_SECONDS), 0);
}

}  // namespace
