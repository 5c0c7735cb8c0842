// The event wait driven through the headless host's message queue.
#include <tavro/display.h>
#include "hosts/headless/headless_driver.h"
#include "core/session.h"
#include "core/run_mode.h"

#include <gtest/gtest.h>

using namespace tavro;

namespace {

using tavro::MessageKind;
using tavro::WindowId;

struct Event {
    int kind;
    int x;
    int y;
    int key;
};

class EventWait : public ::testing::Test {
protected:
    Event wait()
    {
        int x = -1;
        int y = -1;
        char key = 1;
        const int kind = display.wait_for_event(x, y, key);
        return {kind, x, y, static_cast<unsigned char>(key)};
    }
    Display display;
    tavro::HeadlessDriver& driver = tavro::headless_driver();
};

TEST_F(EventWait, ClicksArriveInLogicalCoordinates)
{
    EXPECT_EQ(session().windows.origin_x(), 300);
    EXPECT_EQ(session().windows.origin_y(), 250);
    driver.click_client(300, 250);
    driver.click_client(310, 230);
    Event centre = wait();
    EXPECT_EQ(centre.kind, event_mouse);
    EXPECT_EQ(centre.x, 0);
    EXPECT_EQ(centre.y, 0);
    EXPECT_EQ(centre.key, 0);
    Event up_right = wait();
    EXPECT_EQ(up_right.x, 10);
    EXPECT_EQ(up_right.y, 20);
}

TEST_F(EventWait, TypedCharactersBecomeKeyboardEvents)
{
    driver.type_character('a');
    driver.type_character(13);
    driver.type_character(8);
    for (int expected : {97, 13, 8}) {
        Event e = wait();
        EXPECT_EQ(e.kind, event_keyboard);
        EXPECT_EQ(e.key, expected);
        EXPECT_EQ(e.x, 0);
        EXPECT_EQ(e.y, 0);
    }
}

TEST_F(EventWait, CtrlShortcutMakesNoKeyboardEventButAnimates)
{
    driver.ctrl_shortcut('A');
    driver.type_character('b');
    Event e = wait();
    EXPECT_EQ(e.kind, event_keyboard);
    EXPECT_EQ(e.key, 'b');
    EXPECT_TRUE(session().run.animating());
    EXPECT_EQ(wait().kind, event_periodic);
}

TEST_F(EventWait, ShortcutsTypedInTheTextWindowReachTheGraphicsWindow)
{
    driver.ctrl_shortcut('A', WindowId::text);
    driver.type_character('z', WindowId::text);
    Event e = wait();
    EXPECT_EQ(e.kind, event_keyboard);
    EXPECT_EQ(e.key, 'z');
    EXPECT_TRUE(session().run.animating());
    driver.ctrl_shortcut('H', WindowId::text);
    driver.type_character('y', WindowId::text);
    EXPECT_EQ(wait().key, 'y');
    EXPECT_FALSE(session().run.animating());
}

TEST_F(EventWait, CtrlReleasedElsewhereStaysDown)
{
    driver.key_down(17);
    driver.type_character('x');
    driver.click(1, 1);
    EXPECT_EQ(wait().kind, event_mouse);
    driver.type_character('x');
    driver.click(2, 2);
    EXPECT_EQ(wait().kind, event_mouse);  // Ctrl is still down: the character made no event
    driver.key_down(17);
    driver.key_up(17);
    driver.type_character('x');
    Event e = wait();
    EXPECT_EQ(e.kind, event_keyboard);
    EXPECT_EQ(e.key, 'x');
}

TEST_F(EventWait, HaltModeNeverReturnsPeriodicAndOneFrameReturnsExactlyOne)
{
    driver.click(5, 5);
    EXPECT_EQ(wait().kind, event_mouse);
    // Input exhausted while halted: the headless host ends the run with quit.
    EXPECT_EQ(wait().kind, event_quit);
    EXPECT_EQ(driver.timer_ticks_delivered(), 0);

    driver.ctrl_shortcut('F');
    EXPECT_EQ(wait().kind, event_periodic);
    EXPECT_EQ(wait().kind, event_quit);
    EXPECT_EQ(driver.timer_ticks_delivered(), 1);
}

TEST_F(EventWait, EachPeriodicEventUsesATimerTickOfItsOwn)
{
    display.set_animation_mode(2);
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(wait().kind, event_periodic);
        EXPECT_EQ(driver.timer_ticks_delivered(), i);
    }
    // A tick handled before the periodic event is put in wait does not count.
    driver.push({WindowId::graphics, MessageKind::timer, 2});
    EXPECT_EQ(wait().kind, event_periodic);
    EXPECT_EQ(driver.timer_ticks_delivered(), 6);
}

TEST_F(EventWait, AClickWhileAPeriodicEventWaitsIsReturnedInstead)
{
    display.set_animation_mode(2);
    driver.click(3, 4);
    Event e = wait();
    EXPECT_EQ(e.kind, event_mouse);
    EXPECT_EQ(e.x, 3);
    EXPECT_EQ(e.y, 4);
}

TEST_F(EventWait, AnimationModeThreeReturnsQuitOnEveryLaterWait)
{
    display.set_animation_mode(3);
    driver.click(1, 1);
    EXPECT_EQ(wait().kind, event_quit);
    driver.type_character('x');
    EXPECT_EQ(wait().kind, event_quit);
    EXPECT_TRUE(driver.text_lines().empty());
}

TEST_F(EventWait, AnimationModesMapOntoRunModes)
{
    display.set_animation_mode(1);
    EXPECT_TRUE(session().run.frame_owed());
    display.set_animation_mode(2);
    EXPECT_TRUE(session().run.animating());
    display.set_animation_mode(4);
    EXPECT_TRUE(session().run.animating());
    EXPECT_FALSE(session().run.quit_forced());
    display.set_animation_mode(0);
    EXPECT_FALSE(session().run.animating());
    EXPECT_FALSE(session().run.frame_owed());
    session().run.set(3);
    EXPECT_FALSE(session().run.quit_forced());
    display.set_animation_mode(5);
    EXPECT_TRUE(session().run.quit_forced());
}

TEST_F(EventWait, ClosingTheGraphicsWindowReturnsQuit)
{
    display.set_animation_mode(2);
    driver.close_window(WindowId::graphics);
    EXPECT_EQ(wait().kind, event_quit);
    EXPECT_FALSE(driver.graphics_window_exists());
}

TEST_F(EventWait, ClosingTheTextWindowLeavesTheProgramRunning)
{
    driver.close_window(WindowId::text);
    driver.click(2, 2);
    EXPECT_EQ(wait().kind, event_mouse);
    EXPECT_FALSE(driver.text_window_exists());
}

TEST_F(EventWait, MenuCommandsDriveTheModes)
{
    driver.choose_menu(1);
    driver.click(0, 0);
    EXPECT_EQ(wait().kind, event_mouse);
    EXPECT_TRUE(session().run.animating());
    driver.choose_menu(2);
    driver.click(0, 0);
    EXPECT_EQ(wait().kind, event_mouse);
    EXPECT_FALSE(session().run.animating());
    driver.choose_menu(4);
    driver.choose_menu(42);
    driver.click(0, 0);
    wait();
    EXPECT_TRUE(session().run.logging());
    EXPECT_TRUE(driver.menu_checked(4));
    driver.choose_menu(8);
    EXPECT_EQ(wait().kind, event_quit);
}

TEST_F(EventWait, AClickDropsTheOwedFrame)
{
    driver.choose_menu(3);
    driver.click(0, 0);
    EXPECT_EQ(wait().kind, event_mouse);
    EXPECT_EQ(wait().kind, event_quit);
    EXPECT_EQ(driver.timer_ticks_delivered(), 0);
}

TEST_F(EventWait, TheWaitCopiesADirtyImageOncePerTurn)
{
    plot_pixel(COLOUR_RED, 0, 0);
    const long long before = driver.presents();
    driver.click(0, 0);
    wait();
    EXPECT_EQ(driver.presents(), before + 1);
    driver.click(0, 0);
    wait();
    EXPECT_EQ(driver.presents(), before + 1);
}

TEST_F(EventWait, RepaintingTheGraphicsWindowCopiesTheImageAlways)
{
    driver.push({WindowId::graphics, MessageKind::paint});
    driver.push({WindowId::graphics, MessageKind::paint});
    driver.click(0, 0);
    const long long before = driver.presents();
    wait();
    EXPECT_EQ(driver.presents(), before + 2);
}

}  // namespace
