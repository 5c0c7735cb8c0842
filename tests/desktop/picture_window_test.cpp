// The same program on both hosts: what the desktop window shows of the drawing
// area must be, pixel for pixel, what the headless host draws for the same input.
#include "desktop_run.h"

#include <gtest/gtest.h>

namespace {

using desktop::DesktopRun;
using desktop::Image;

// The headless host's picture after the given inputs (see picture_headless.cpp).
std::optional<Image> headless_picture(const std::string& inputs)
{
    const std::string path = "headless.png";
    if (!desktop::run_command("timeout 20 " + std::string(PICTURE_HEADLESS_PATH) + " " + path + " " + inputs)) {
        return std::nullopt;
    }
    return desktop::read_png(path);
}

// Waits until the window shows expected and returns how many pixels differ in the end.
long differing_from_window(DesktopRun& run, const Image& expected)
{
    long differing = -1;
    desktop::eventually(
        [&] {
            const auto shown = run.drawing_area();
            differing = shown ? desktop::differing_pixels(expected, *shown) : -1;
            return differing == 0;
        },
        desktop::CHANGE_SECONDS);
    return differing;
}

TEST(PictureWindow, ShowsTheHeadlessHostsPixels)
{
    DesktopRun run(PICTURE_DESKTOP_PATH);
    ASSERT_TRUE(run.graphics()) << run.process().output();
    const auto expected = headless_picture("");
    ASSERT_TRUE(expected);
    ASSERT_EQ(expected->width, desktop::CLIENT_WIDTH);
    ASSERT_EQ(expected->height, desktop::CLIENT_HEIGHT);
    EXPECT_EQ(differing_from_window(run, *expected), 0);
    EXPECT_EQ(run.quit(), 0);
}

TEST(PictureWindow, ClicksLandOnTheSamePixelsAsOnTheHeadlessHost)
{
    DesktopRun run(PICTURE_DESKTOP_PATH);
    ASSERT_TRUE(run.graphics()) << run.process().output();
    // The centre is logical (0, 0); the corners test both axes' directions.
    ASSERT_TRUE(run.click_client(300, 250));
    ASSERT_TRUE(run.click_client(10, 480));
    ASSERT_TRUE(run.click_client(590, 20));
    const auto expected = headless_picture("click 300 250 click 10 480 click 590 20");
    ASSERT_TRUE(expected);
    EXPECT_EQ(differing_from_window(run, *expected), 0);
    EXPECT_EQ(run.quit(), 0);
}

TEST(PictureWindow, TypedCharactersAndOneFrameMatchTheHeadlessHost)
{
    DesktopRun run(PICTURE_DESKTOP_PATH);
    ASSERT_TRUE(run.graphics()) << run.process().output();
    // 'a', Enter, Backspace, Escape (which must not close the window), a shifted 'Z', then
    // one frame: "ticks 1 keys 97 13 8 27 90".
    ASSERT_TRUE(desktop::send_keys(*run.graphics(), "a Return BackSpace Escape shift+z ctrl+f"));
    const auto expected = headless_picture("type 97 type 13 type 8 type 27 type 90 ctrl F");
    ASSERT_TRUE(expected);
    EXPECT_EQ(differing_from_window(run, *expected), 0);
    // Halted again after the one frame: asleep, having returned that one periodic event only.
    EXPECT_TRUE(run.wait_sleeping(1)) << run.process().output();
    EXPECT_EQ(run.quit(), 0);
}

TEST(PictureWindow, KeysTypedInTheTextWindowReachTheProgram)
{
    DesktopRun run(PICTURE_DESKTOP_PATH);
    ASSERT_TRUE(run.graphics()) << run.process().output();
    const auto text = desktop::find_window("TAVRO Text", desktop::WINDOW_SECONDS);
    ASSERT_TRUE(text);
    ASSERT_TRUE(desktop::send_keys(*text, "b ctrl+f"));
    const auto expected = headless_picture("type 98 ctrl F");
    ASSERT_TRUE(expected);
    EXPECT_EQ(differing_from_window(run, *expected), 0);
    ASSERT_TRUE(desktop::send_keys(*text, "ctrl+q"));
    EXPECT_EQ(run.process().wait_exit(desktop::EXIT_SECONDS), 0);
}

}  // namespace
