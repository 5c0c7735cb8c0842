// The text window's lines, its 25-line history and repainting.
#include <tavro/display.h>
#include "core/session.h"
#include "hosts/headless/headless_driver.h"
#include "core/text_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tavro;

namespace {

using tavro::MessageKind;
using tavro::WindowId;

class TextWindow : public ::testing::Test {
protected:
    void repaint()
    {
        driver.clear_text_lines();
        driver.push({WindowId::text, MessageKind::paint});
        driver.click(0, 0);
        int x, y;
        char key;
        display.wait_for_event(x, y, key);
    }
    Display display;
    tavro::HeadlessDriver& driver = tavro::headless_driver();
};

TEST_F(TextWindow, RepaintShowsTheLastTwentyFiveLinesOldestFirst)
{
    for (int i = 1; i <= 30; ++i) {
        session().text.printf("message %d\n", i);
    }
    repaint();
    std::vector<std::string> expected;
    for (int i = 6; i <= 30; ++i) {
        expected.push_back("message " + std::to_string(i));
    }
    EXPECT_EQ(driver.text_lines(), expected);
    const auto visible = driver.visible_text_lines();
    ASSERT_FALSE(visible.empty());
    EXPECT_EQ(visible.back(), "message 30");
}

TEST_F(TextWindow, ReusedHistorySlotsHoldLongerAndShorterLinesWhole)
{
    // Each round fills every slot; the lengths cross the blocks' size steps both ways.
    const std::vector<std::size_t> rounds = {70, 3, 200, 64, 1023};
    for (std::size_t round = 0; round < rounds.size(); ++round) {
        std::vector<std::string> expected;
        for (int i = 0; i < 25; ++i) {
            expected.push_back(
                std::string(rounds[round] - static_cast<std::size_t>(i % 3), static_cast<char>('a' + round)));
            session().text.printf("%s\n", expected.back().c_str());
        }
        repaint();
        EXPECT_EQ(driver.text_lines(), expected) << "round " << round;
    }
}

TEST_F(TextWindow, RepaintOfAPartlyFilledHistory)
{
    repaint();
    EXPECT_TRUE(driver.text_lines().empty());
    session().text.printf("one\n");
    session().text.printf("two\n");
    repaint();
    EXPECT_EQ(driver.text_lines(), (std::vector<std::string>{"one", "two"}));
    for (int i = 0; i < 23; ++i) {
        session().text.printf("more\n");
    }
    repaint();
    EXPECT_EQ(driver.text_lines().size(), 25u);
    EXPECT_EQ(driver.text_lines().front(), "one");
}

TEST_F(TextWindow, OnlyOneTrailingNewlineIsDroppedAndInnerOnesStay)
{
    session().text.printf("twice\n\n");
    session().text.printf("in\nside");
    session().text.printf("%s", "");
    EXPECT_EQ(driver.text_lines(), (std::vector<std::string>{"twice\n", "in\nside", ""}));
    EXPECT_EQ(driver.visible_text_lines().back(), "");
}

TEST_F(TextWindow, LongMessagesAreCutAt1023Characters)
{
    const std::string long_message(5000, 'z');
    EXPECT_EQ(session().text.printf("%s", long_message.c_str()), 1023);
    EXPECT_EQ(driver.text_lines().back(), std::string(1023, 'z'));
    EXPECT_STREQ(session().text.history().lines[session().text.history().first]->lock(),
                 std::string(1023, 'z').c_str());
}

}  // namespace
