// The one Display of a process: opening, the menu, logging, the dialog, the process entry.
#include "core/dialog.h"
#include "core/dialog_answers.h"
#include "support/fatal_failure.h"
#include <tavro/display.h>
#include <tavro/version.h>
#include "hosts/headless/headless_driver.h"
#include "core/control.h"
#include "core/run_mode.h"
#include "core/script.h"
#include "core/session.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

using namespace tavro;

namespace {

using tavro::MENU_CHECKED;
using tavro::MENU_GRAYED;
using tavro::MENU_SEPARATOR;

int application_runs = 0;
bool application_throws = false;

TEST(Session, BeforeADisplayLoggingIsOnAndNothingAnimates)
{
    EXPECT_FALSE(session().run.animating());
    EXPECT_TRUE(session().run.logging());
}

TEST(Session, OpeningCreatesBothWindowsAndSwitchesLoggingOff)
{
    Display display;
    tavro::HeadlessDriver& driver = tavro::headless_driver();
    EXPECT_EQ(display.width, 600);
    EXPECT_EQ(display.height, 500);
    EXPECT_TRUE(driver.graphics_window_exists());
    EXPECT_TRUE(driver.text_window_exists());
    EXPECT_TRUE(driver.text_window_visible());
    EXPECT_TRUE(driver.timer_started());
    EXPECT_FALSE(session().run.logging());
    EXPECT_FALSE(driver.menu_checked(4));
    EXPECT_FALSE(session().run.animating());
    EXPECT_EQ(session().windows.origin_x(), 300);
    EXPECT_EQ(session().windows.origin_y(), 250);
}

TEST(Session, TheRunMenuHasItsSixteenItems)
{
    Display display;
    tavro::HeadlessDriver& driver = tavro::headless_driver();
    EXPECT_EQ(driver.menu_title(), "&Run");
    const auto& items = driver.menu_items();
    ASSERT_EQ(items.size(), 16u);
    const struct {
        const char* text;
        int id;
    } commands[] = {{"&Animate\tCtrl+A", 1},           {"&Halt animation\tCtrl+H", 2},
                    {"Advance one &frame\tCtrl+F", 3}, {"&Logging\tCtrl+L", 4},
                    {"&Record Script\tCtrl+R", 5},     {"&Playback Script\tCtrl+P", 6},
                    {"Play &One Script\tCtrl+O", 7},   {"&Quit\tCtrl+Q", 8}};
    const int positions[] = {0, 1, 2, 4, 6, 7, 8, 10};
    for (int i = 0; i < 8; ++i) {
        const auto& item = items[positions[i]];
        EXPECT_STREQ(item.text, commands[i].text);
        EXPECT_EQ(item.id, commands[i].id);
        EXPECT_EQ(item.flags & MENU_GRAYED, 0u);
    }
    for (int separator : {3, 5, 9, 11}) {
        EXPECT_EQ(items[separator].flags, MENU_SEPARATOR);
    }
    // Four information lines end the menu; none can be chosen. The first names the version.
    const char* prefixes[] = {"TAVRO Graphics " TAVRO_VERSION_STRING ", ", "MAC: ", "WINDOWS: ", "UPDATES: "};
    for (int i = 0; i < 4; ++i) {
        const auto& item = items[12 + i];
        EXPECT_EQ(std::strncmp(item.text, prefixes[i], std::strlen(prefixes[i])), 0);
        EXPECT_EQ(item.id, 9);
        EXPECT_EQ(item.flags, MENU_GRAYED);
    }
}

TEST(Session, SetLoggingShowsTheTextWindowButTheCommandDoesNot)
{
    Display display;
    tavro::HeadlessDriver& driver = tavro::headless_driver();
    session().text.show(false);
    EXPECT_FALSE(driver.text_window_visible());
    driver.ctrl_shortcut('L');
    driver.click(0, 0);
    int x, y;
    char key;
    display.wait_for_event(x, y, key);
    EXPECT_TRUE(session().run.logging());
    EXPECT_TRUE(driver.menu_checked(4));
    EXPECT_FALSE(driver.text_window_visible());
    session().run.set_logging(false);
    EXPECT_FALSE(driver.menu_checked(4));
    EXPECT_FALSE(driver.text_window_visible());
}

TEST(SessionDeathTest, ASecondDisplayEndsTheProcessWithStatusMinusOne)
{
    EXPECT_EXIT(
        {
            Display first;
            Display second;
        },
        // Status -1 is 255 where exit statuses are 8 bits wide (POSIX), -1 itself on Windows.
        [](int status) { return ::testing::ExitedWithCode(255)(status) || ::testing::ExitedWithCode(-1)(status); },
        "Error: Attempted to instantiate multiple TAVRO displays");
}

// What C code calls (a window procedure, the page) and the process entry end the program on an
// exception, with one line and status 1, instead of letting it leave.
TEST(SessionDeathTest, AnExceptionEndsTheProcessWithOneLineAndStatusOne)
{
    EXPECT_EXIT(without_exceptions([]() -> int { throw std::runtime_error("no window"); }),
                ::testing::ExitedWithCode(1), "TAVRO: no window");
    EXPECT_EXIT(without_exceptions([] { throw 3; }), ::testing::ExitedWithCode(1), "TAVRO: unexpected failure");
    EXPECT_EXIT(
        {
            application_throws = true;
            process_entry(nullptr, nullptr, "", 1);
        },
        ::testing::ExitedWithCode(1), "TAVRO: no image");
}

TEST(Dialog, TheMessageIsCutOrPaddedToSeventyNineCharacters)
{
    Display display;
    tavro::HeadlessDriver& driver = tavro::headless_driver();
    char reply[PROMPT_REPLY_SIZE] = "unchanged";
    const std::string hundred(100, 'm');
    EXPECT_EQ(prompt_dialog(hundred.c_str(), reply), 1);
    EXPECT_EQ(driver.last_dialog_message(), std::string(79, 'm'));
    EXPECT_STREQ(reply, "");
    driver.push_dialog_reply(std::string(300, 'r'));
    EXPECT_EQ(prompt_dialog("0123456789", reply), 1);
    EXPECT_EQ(driver.last_dialog_message(), "0123456789" + std::string(69, ' '));
    EXPECT_EQ(std::string(reply), std::string(255, 'r'));
    driver.set_dialog_fails(true);
    std::strcpy(reply, "kept");
    EXPECT_EQ(prompt_dialog("x", reply), 0);
    EXPECT_STREQ(reply, "kept");
    EXPECT_EQ(driver.dialogs_shown(), 3);
}

TEST(Dialog, AnswersGivenAheadComeOneALineThenTheEmptyReplySayingSo)
{
    Display display;
    tavro::HeadlessDriver& driver = tavro::headless_driver();
    const std::string no_answer = NO_ANSWER_LEFT_LINE;
    struct Case {
        std::string lines;
        std::vector<std::string> replies;
        std::vector<std::string> text_lines;
    };
    const Case cases[] = {
        {"Ada\nBob Lee\n", {"Ada", "Bob Lee", ""}, {no_answer}},
        {"Ada\r\n\nlast", {"Ada", "", "last", ""}, {no_answer}},
        {"", {"", ""}, {no_answer, no_answer}},
        {std::string(300, 'r'), {std::string(255, 'r')}, {}},
    };
    for (const Case& test : cases) {
        driver.clear_text_lines();
        DialogAnswers answers = DialogAnswers::from_lines(test.lines);
        for (const std::string& expected : test.replies) {
            char reply[PROMPT_REPLY_SIZE] = "unchanged";
            answers.answer(reply, sizeof reply);
            EXPECT_EQ(reply, expected) << test.lines;
        }
        EXPECT_EQ(driver.text_lines(), test.text_lines) << test.lines;
    }
}

TEST(Session, TheProcessEntryKeepsItsArgumentsAndEndsWithZero)
{
    int instance = 0;
    EXPECT_EQ(process_entry(&instance, nullptr, "ignored words", 1), 0);
    EXPECT_EQ(application_runs, 1);
    const StartArguments& start_arguments = session().start_arguments;
    EXPECT_EQ(start_arguments.instance, &instance);
    EXPECT_STREQ(start_arguments.command_line, "ignored words");
    EXPECT_EQ(start_arguments.show_command, 1);
    // The render entry's variant passes the application's status on.
    EXPECT_EQ(run_application_entry(nullptr, nullptr, "", 1), 7);
    EXPECT_EQ(application_runs, 2);
}

TEST(Session, ClosingTheDisplayClosesARecordingsFile)
{
    TempDirectory directory;
    Display display;
    session().script.switch_recording();
    session().script.record(event_mouse, 1, 2, 0);
    // The line is buffered until the file is closed.
    session().close_display();
    EXPECT_EQ(read_text_file(SCRIPT_FILE_NAME), "TAVRO_MOUSE(1, 2);\n");
}

}  // namespace

// The application these tests run: it returns a status the entry must not pass on.
int application_main()
{
    ++application_runs;
    if (application_throws) {
        throw std::runtime_error("no image");
    }
    return 7;
}
