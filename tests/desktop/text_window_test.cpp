// The text window in a real window: log lines appear at its bottom, and a
// repaint the window system asks for replays the package's last 25 lines.
#include "desktop_run.h"

#include <gtest/gtest.h>

namespace {

using desktop::Image;

// Rows from the window's bottom up to its highest row with any text on it.
int inked_height(const Image& image)
{
    for (int row = 0; row < image.height; ++row) {
        for (int column = 0; column < image.width; ++column) {
            if (image.at(column, row) != desktop::WHITE) {
                return image.height - row;
            }
        }
    }
    return 0;
}

TEST(TextWindow, AnExposeReplaysOnlyTheKeptLines)
{
    desktop::DesktopRun run(PICTURE_DESKTOP_PATH);
    ASSERT_TRUE(run.graphics()) << run.process().output();
    const auto text = desktop::find_window("TAVRO Text", desktop::WINDOW_SECONDS);
    ASSERT_TRUE(text);
    // Beside the graphics window and as tall as the screen, so that far more than 25 lines fit.
    ASSERT_TRUE(desktop::run_command("timeout 10 xdotool windowmove --sync " + std::to_string(*text) +
                                     " 605 0 windowsize --sync " + std::to_string(*text) + " 419 768"));

    // Logging on, then two frames of about 40 logged drawing calls each.
    ASSERT_TRUE(desktop::send_keys(*run.graphics(), "ctrl+l"));
    ASSERT_TRUE(run.click_client(100, 100));
    ASSERT_TRUE(run.click_client(200, 200));
    int full = 0;
    EXPECT_TRUE(desktop::eventually(
        [&] {
            const auto shot = desktop::screenshot(*text);
            full = shot ? inked_height(*shot) : 0;
            return shot && full > shot->height * 9 / 10;
        },
        desktop::CHANGE_SECONDS))
        << "the logged lines did not fill the window: " << full << " rows";

    // Unmapping and mapping the window makes the X server ask for a repaint.
    ASSERT_TRUE(desktop::run_command("timeout 10 xdotool windowunmap --sync " + std::to_string(*text) +
                                     " windowmap --sync " + std::to_string(*text)));
    int replayed = 0;
    EXPECT_TRUE(desktop::eventually(
        [&] {
            const auto shot = desktop::screenshot(*text);
            replayed = shot ? inked_height(*shot) : 0;
            return replayed > 0 && replayed < full * 3 / 4;
        },
        desktop::CHANGE_SECONDS))
        << "the repaint did not replay the 25 kept lines: " << replayed << " of " << full << " rows inked";
    EXPECT_EQ(run.quit(), 0);
}

}  // namespace
