// The "TAVRO_gets" dialog in a real window: only Enter or "Okay" closes it, it
// hands back what was typed, and a second Display's refusal exits with -1.
#include "desktop_run.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogWindow, SecondDisplayWaitsForOkayAndExitsWithMinusOne)
{
    TempDirectory directory;
    desktop::ChildProcess program(SECOND_DISPLAY_PATH, directory.path());
    const auto dialog = desktop::find_window("TAVRO_gets", desktop::WINDOW_SECONDS);
    ASSERT_TRUE(dialog) << program.output();
    EXPECT_TRUE(desktop::window_titled("TAVRO Graphics"));

    ASSERT_TRUE(desktop::send_keys(*dialog, "Return"));
    EXPECT_EQ(program.wait_exit(desktop::EXIT_SECONDS), 255);
}

// The dialog takes its input in order: had Escape or the close box closed it, the reply would
// lack what was typed after them.
TEST(DialogWindow, EscapeAndTheCloseBoxLeaveItOpen)
{
    TempDirectory directory;
    desktop::ChildProcess program(PROMPT_REPLY_PATH, directory.path());
    const auto dialog = desktop::find_window("TAVRO_gets", desktop::WINDOW_SECONDS);
    ASSERT_TRUE(dialog) << program.output();
    ASSERT_TRUE(desktop::send_keys(*dialog, "h i Escape"));
    ASSERT_TRUE(desktop::request_close(*dialog));
    ASSERT_TRUE(desktop::send_keys(*dialog, "o k Return"));
    EXPECT_EQ(program.wait_exit(desktop::EXIT_SECONDS), 0);
    EXPECT_EQ(program.output(), "1 [hiok]\n");
}

TEST(DialogWindow, OkayHandsBackAtMost255TypedCharacters)
{
    TempDirectory directory;
    desktop::ChildProcess program(PROMPT_REPLY_PATH, directory.path());
    const auto dialog = desktop::find_window("TAVRO_gets", desktop::WINDOW_SECONDS);
    ASSERT_TRUE(dialog) << program.output();
    const std::string typed(300, 'x');
    ASSERT_TRUE(desktop::run_command("timeout 20 xdotool windowfocus --sync " + std::to_string(*dialog) +
                                     " type --delay 1 " + typed));
    const auto geometry = desktop::window_geometry(*dialog);
    ASSERT_TRUE(geometry);
    // "Okay" sits at the middle of the dialog's bottom edge.
    ASSERT_TRUE(desktop::click(*dialog, geometry->width / 2, geometry->height - 24));
    EXPECT_EQ(program.wait_exit(desktop::EXIT_SECONDS), 0);
    EXPECT_EQ(program.output(), "1 [" + std::string(255, 'x') + "]\n");
}

}  // namespace
