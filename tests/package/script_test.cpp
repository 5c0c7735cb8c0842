// Recording events into "TAVRO.SCR" and playing them back, through the event wait.
#include <tavro/display.h>
#include "hosts/headless/headless_driver.h"
#include "core/session.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace tavro;

namespace {

using tavro::WindowId;

struct Event {
    int kind;
    int x;
    int y;
    int key;
    bool operator==(const Event& o) const { return kind == o.kind && x == o.x && y == o.y && key == o.key; }
};

std::ostream& operator<<(std::ostream& out, const Event& e)
{
    return out << "{" << e.kind << ", " << e.x << ", " << e.y << ", " << e.key << "}";
}

const Event PERIODIC{event_periodic, 0, 0, 0};
const Event QUIT{event_quit, 0, 0, 0};

const char* const EXAMPLE = "TAVRO_PERIODIC(3);\nTAVRO_MOUSE(10, -20);\nTAVRO_PERIODIC(2);\nTAVRO_KBD(97);\n";

class Script : public ::testing::Test {
protected:
    Event wait()
    {
        int x = 0;
        int y = 0;
        char key = 0;
        const int kind = display->wait_for_event(x, y, key);
        return {kind, x, y, static_cast<unsigned char>(key)};
    }
    bool logged(const std::string& line) const
    {
        const auto& lines = driver.text_lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    void end_display() { display.reset(); }

    TempDirectory directory;
    std::unique_ptr<Display> display = std::make_unique<Display>();
    tavro::HeadlessDriver& driver = tavro::headless_driver();
};

TEST_F(Script, RecordingWritesPeriodicRunsAndNoQuitLine)
{
    driver.choose_menu(5);
    display->set_animation_mode(2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(wait(), PERIODIC);
    }
    driver.click(10, -20);
    EXPECT_EQ(wait(), (Event{event_mouse, 10, -20, 0}));
    EXPECT_EQ(wait(), PERIODIC);
    EXPECT_EQ(wait(), PERIODIC);
    driver.type_character('a');
    EXPECT_EQ(wait(), (Event{event_keyboard, 0, 0, 97}));
    driver.choose_menu(8);
    EXPECT_EQ(wait(), QUIT);
    EXPECT_TRUE(driver.menu_checked(5));
    end_display();
    EXPECT_EQ(read_text_file("TAVRO.SCR"), EXAMPLE);
}

TEST_F(Script, ClosingTheWindowWritesThePendingCountButNoQuitLine)
{
    driver.choose_menu(5);
    display->set_animation_mode(2);
    EXPECT_EQ(wait(), PERIODIC);
    EXPECT_EQ(wait(), PERIODIC);
    driver.close_window(WindowId::graphics);
    EXPECT_EQ(wait(), QUIT);
    end_display();
    EXPECT_EQ(read_text_file("TAVRO.SCR"), "TAVRO_PERIODIC(2);\n");
}

TEST_F(Script, StoppingARecordingWritesTheRunAndASecondRecordingStartsAnew)
{
    driver.ctrl_shortcut('R');
    display->set_animation_mode(2);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(wait(), PERIODIC);
    }
    driver.ctrl_shortcut('R');
    driver.click(1, 1);
    EXPECT_EQ(wait().kind, event_mouse);
    EXPECT_FALSE(driver.menu_checked(5));
    EXPECT_EQ(read_text_file("TAVRO.SCR"), "TAVRO_PERIODIC(4);\n");

    driver.ctrl_shortcut('R');
    driver.click(2, 3);
    EXPECT_EQ(wait().kind, event_mouse);
    driver.ctrl_shortcut('R');
    driver.click(0, 0);
    wait();
    EXPECT_EQ(read_text_file("TAVRO.SCR"), "TAVRO_MOUSE(2, 3);\n");
}

TEST_F(Script, ARecordingWithNoEventLeavesAnExistingFileUntouched)
{
    write_file("TAVRO.SCR", "keep me\n");
    driver.choose_menu(5);
    driver.choose_menu(5);
    driver.click(0, 0);
    EXPECT_EQ(wait().kind, event_mouse);
    end_display();
    EXPECT_EQ(read_text_file("TAVRO.SCR"), "keep me\n");
}

TEST_F(Script, HighCharacterCodesRoundTripThroughNegativeNumbers)
{
    driver.choose_menu(5);
    driver.type_character(233);
    EXPECT_EQ(wait(), (Event{event_keyboard, 0, 0, 233}));
    driver.choose_menu(5);
    driver.choose_menu(6);
    EXPECT_EQ(wait(), (Event{event_keyboard, 0, 0, 233}));
    end_display();
    EXPECT_EQ(read_text_file("TAVRO.SCR"), "TAVRO_KBD(-23);\n");
}

TEST_F(Script, PlaybackGivesTheRecordedEventsThenTheEndMessage)
{
    write_file("TAVRO.SCR", EXAMPLE);
    display->set_animation_mode(2);
    driver.ctrl_shortcut('P');
    const std::vector<Event> expected = {
        PERIODIC, PERIODIC, PERIODIC, {event_mouse, 10, -20, 0}, PERIODIC, PERIODIC, {event_keyboard, 0, 0, 97}};
    for (const Event& e : expected) {
        EXPECT_EQ(wait(), e);
    }
    EXPECT_TRUE(driver.menu_checked(6));
    EXPECT_EQ(driver.timer_ticks_delivered(), 0);  // script events never wait for a tick
    driver.click(7, 7);
    EXPECT_EQ(wait(), (Event{event_mouse, 7, 7, 0}));
    EXPECT_TRUE(logged("EOF encountered in script file TAVRO.SCR"));
    EXPECT_FALSE(driver.menu_checked(6));
    EXPECT_FALSE(session().script.playing());
    EXPECT_FALSE(session().run.animating());  // playback halted the animation
}

TEST_F(Script, ALiveClickDuringPlaybackIsReplacedByTheScriptEvent)
{
    write_file("TAVRO.SCR", "TAVRO_KBD(65);\nTAVRO_KBD(66);\n");
    driver.choose_menu(6);
    driver.click(1, 1);
    EXPECT_EQ(wait(), (Event{event_keyboard, 0, 0, 65}));
    // The click taken in this wait is replaced; its position is left in x and y.
    EXPECT_EQ(wait(), (Event{event_keyboard, 1, 1, 66}));
    EXPECT_EQ(wait(), QUIT);
}

TEST_F(Script, LinesAreRecognisedByTheirSeventhCharacter)
{
    write_file("TAVRO.SCR", "\n\nTAVRO_MOUSE(-5,7);\n\nxxxxxxM 3 -4\r\nTAVRO_KBD(3-4);\nTAVRO_MOUSE();\n"
                            "TAVRO_PERIODIC(0);\nTAVRO_MOUSE(-123456789012345, 5);\nTAVRO_KBD(--5);\n");
    driver.choose_menu(6);
    const std::vector<Event> expected = {{event_mouse, -5, 7, 0},
                                         {event_mouse, 3, -4, 0},
                                         {event_keyboard, 0, 0, 3},
                                         {event_mouse, 0, 0, 0},
                                         PERIODIC,
                                         {event_mouse, -1234567890, 5, 0},
                                         {event_keyboard, 0, 0, 0}};
    for (const Event& e : expected) {
        EXPECT_EQ(wait(), e);
    }
}

TEST_F(Script, ABlankOrShortLineEndsPlaybackWithAMessage)
{
    for (const char* bad :
         {"TAVRO_KBD(65);\n          \nTAVRO_KBD(66);\n", "TAVRO_KBD(65);\nTAVRO\nTAVRO_KBD(66);\n"}) {
        write_file("TAVRO.SCR", bad);
        driver.choose_menu(6);
        EXPECT_EQ(wait(), (Event{event_keyboard, 0, 0, 65}));
        driver.click(1, 2);
        EXPECT_EQ(wait(), (Event{event_mouse, 1, 2, 0}));
        EXPECT_FALSE(session().script.playing());
        EXPECT_FALSE(driver.menu_checked(6));
        // The file stays open after the bad line: a later playback goes on from there.
        driver.choose_menu(6);
        EXPECT_EQ(wait(), (Event{event_keyboard, 0, 0, 66}));
        driver.choose_menu(6);  // stops playback and closes the file
        driver.click(0, 0);
        wait();
    }
    EXPECT_EQ(driver.text_lines(), std::vector<std::string>(2, "Unrecognised line in script file TAVRO.SCR"));
}

TEST_F(Script, ALastLineWithoutLineFeedIsPlayed)
{
    write_file("TAVRO.SCR", "TAVRO_KBD(65);\nTAVRO_KBD(66);");
    driver.choose_menu(6);
    EXPECT_EQ(wait().key, 65);
    EXPECT_EQ(wait().key, 66);
    EXPECT_EQ(wait(), QUIT);
    EXPECT_TRUE(logged("EOF encountered in script file TAVRO.SCR"));
}

TEST_F(Script, LongLinesAreTakenInPiecesAndLongNumbersStayInTheirHolder)
{
    std::string line = "TAVRO_KBD(" + std::string(600, '1') + ");\n";
    write_file("TAVRO.SCR", line + "TAVRO_KBD(66);\n");
    driver.choose_menu(6);
    EXPECT_EQ(wait(), (Event{event_keyboard, 0, 0, 255}));  // clamped to the largest int
    // The rest of the long line is a piece of its own, not a keyboard line.
    EXPECT_EQ(wait(), QUIT);
    EXPECT_FALSE(session().script.playing());
}

TEST_F(Script, PlaybackWithoutAFileSaysSo)
{
    driver.choose_menu(6);
    driver.click(4, 4);
    EXPECT_EQ(wait(), (Event{event_mouse, 4, 4, 0}));
    EXPECT_EQ(driver.text_lines(), std::vector<std::string>{"Cannot open script file TAVRO.SCR for reading"});
    EXPECT_FALSE(driver.menu_checked(6));
    EXPECT_FALSE(session().script.playing());
}

TEST_F(Script, AFolderNamedLikeTheScriptCannotBeRead)
{
    std::filesystem::create_directory("TAVRO.SCR");
    driver.choose_menu(6);
    driver.click(4, 4);
    EXPECT_EQ(wait(), (Event{event_mouse, 4, 4, 0}));
    EXPECT_EQ(driver.text_lines(), std::vector<std::string>{"Cannot open script file TAVRO.SCR for reading"});
}

TEST_F(Script, ARecordingAfterAPlaybackReopensTheFileForWriting)
{
    write_file("TAVRO.SCR", "TAVRO_KBD(65);\n");
    driver.choose_menu(6);
    EXPECT_EQ(wait().key, 65);
    driver.click(1, 1);
    EXPECT_EQ(wait().kind, event_mouse);  // the end of the script; the file stays open for reading
    driver.ctrl_shortcut('R');
    driver.click(2, 2);
    EXPECT_EQ(wait().kind, event_mouse);
    driver.ctrl_shortcut('R');
    driver.click(3, 3);
    wait();
    EXPECT_EQ(read_text_file("TAVRO.SCR"), "TAVRO_MOUSE(2, 2);\n");
}

TEST_F(Script, AnUnwritableFileIsReportedOnEveryEventAndRecordingStaysOn)
{
    std::filesystem::create_directory("TAVRO.SCR");
    driver.choose_menu(5);
    driver.click(1, 1);
    driver.click(2, 2);
    wait();
    wait();
    EXPECT_EQ(driver.text_lines(), (std::vector<std::string>{"Cannot open script file TAVRO.SCR for writing",
                                                             "Cannot open script file TAVRO.SCR for writing"}));
    EXPECT_TRUE(session().script.recording());
}

TEST_F(Script, EveryPeriodicEventAdvancesTheVirtualClockScriptedOrTimed)
{
    driver.set_start_time(1000);
    write_file("TAVRO.SCR", "TAVRO_PERIODIC(15);\nTAVRO_MOUSE(1, 1);\n");
    driver.choose_menu(6);
    for (int k = 1; k <= 15; ++k) {
        EXPECT_EQ(wait(), PERIODIC);
        EXPECT_EQ(tavro_time(), 1000 + k / 10);
    }
    EXPECT_EQ(wait().kind, event_mouse);  // clicks do not move the clock
    display->set_animation_mode(2);
    for (int k = 16; k <= 20; ++k) {
        EXPECT_EQ(wait(), PERIODIC);  // from the timer, after the script's end
        EXPECT_EQ(tavro_time(), 1000 + k / 10);
    }
}

TEST_F(Script, PlayOneStepsThroughTheScriptBetweenLiveEvents)
{
    write_file("TAVRO.SCR", "TAVRO_PERIODIC(2);\nTAVRO_KBD(66);\n");
    for (const Event& e : {PERIODIC, PERIODIC, Event{event_keyboard, 0, 0, 66}}) {
        driver.ctrl_shortcut('O');
        EXPECT_EQ(wait(), e);
        driver.click(5, 5);
        EXPECT_EQ(wait(), (Event{event_mouse, 5, 5, 0}));
    }
    driver.ctrl_shortcut('O');
    driver.click(6, 6);
    EXPECT_EQ(wait(), (Event{event_mouse, 6, 6, 0}));
    EXPECT_TRUE(logged("EOF encountered in script file TAVRO.SCR"));
}

TEST_F(Script, AQuitDuringPlaybackIsNeverLost)
{
    write_file("TAVRO.SCR", "TAVRO_PERIODIC(1000);\n");
    driver.choose_menu(6);
    EXPECT_EQ(wait(), PERIODIC);
    driver.close_window(WindowId::graphics);
    EXPECT_EQ(wait(), PERIODIC);  // the close is handled in this turn and posts the quit
    EXPECT_EQ(wait(), QUIT);
}

TEST_F(Script, ReadingAFileHeldByARecordingTakesNoLine)
{
    write_file("TAVRO.SCR", "TAVRO_KBD(65);\n");
    driver.choose_menu(5);
    driver.click(1, 1);
    EXPECT_EQ(wait().kind, event_mouse);  // opens the file for writing
    driver.ctrl_shortcut('O');
    driver.click(2, 2);
    EXPECT_EQ(wait(), (Event{event_mouse, 2, 2, 0}));
    EXPECT_TRUE(logged("EOF encountered in script file TAVRO.SCR"));
    driver.ctrl_shortcut('R');
    driver.click(3, 3);
    wait();
    EXPECT_EQ(read_text_file("TAVRO.SCR"), "TAVRO_MOUSE(1, 1);\nTAVRO_MOUSE(2, 2);\n");
}

}  // namespace
