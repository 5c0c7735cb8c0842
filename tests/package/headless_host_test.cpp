// The headless host's own rules: its input queue, virtual clock, menu copy and
// dialog replies. Windows are created only where a rule depends on them.
#include "hosts/headless/headless_driver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace tavro;

namespace {

using tavro::HeadlessHost;
using tavro::Message;
using tavro::MessageKind;
using tavro::WindowId;

struct Expected {
    WindowId window;
    MessageKind kind;
    int param = 0;
    int translated = 0;
    int x = 0;
    int y = 0;
};

void expect_queue(HeadlessHost& host, const std::vector<Expected>& expected)
{
    for (const Expected& e : expected) {
        Message m;
        ASSERT_TRUE(host.take_message(m));
        EXPECT_EQ(m.window, e.window);
        EXPECT_EQ(m.kind, e.kind);
        EXPECT_EQ(m.param, e.param);
        EXPECT_EQ(m.translated, e.translated);
        EXPECT_EQ(m.x, e.x);
        EXPECT_EQ(m.y, e.y);
    }
    Message m;
    EXPECT_FALSE(host.take_message(m));
}

TEST(HeadlessInput, ConvenienceInputQueuesTheDesktopsMessages)
{
    HeadlessHost host;
    tavro::HeadlessDriver driver(host);
    driver.type_character('a');
    driver.type_character('\r', WindowId::text);
    driver.ctrl_shortcut('l', WindowId::text);
    driver.choose_menu(6);
    driver.close_window(WindowId::text);
    driver.click(10, 20);
    driver.click_client(0, 0);
    expect_queue(host, {{WindowId::graphics, MessageKind::key_down, 'A', 'a'},
                        {WindowId::graphics, MessageKind::key_up, 'A'},
                        {WindowId::text, MessageKind::key_down, '\r', '\r'},
                        {WindowId::text, MessageKind::key_up, '\r'},
                        {WindowId::text, MessageKind::key_down, 17},
                        {WindowId::text, MessageKind::key_down, 'L', 'L' & 31},
                        {WindowId::text, MessageKind::key_up, 'L'},
                        {WindowId::text, MessageKind::key_up, 17},
                        {WindowId::graphics, MessageKind::command, 6},
                        {WindowId::text, MessageKind::close},
                        {WindowId::graphics, MessageKind::left_button_down, 0, 0, 310, 230},
                        {WindowId::graphics, MessageKind::left_button_down}});
    const tavro::ClientRect r = host.client_rect();
    EXPECT_EQ(r.right - r.left, 601);
    EXPECT_EQ(r.bottom - r.top, 501);
}

TEST(HeadlessInput, TranslatedCharacterIsTakenNext)
{
    HeadlessHost host;
    tavro::HeadlessDriver driver(host);
    driver.type_character('x');
    driver.click(0, 0);
    // Neither a key-up nor a key without a character translates to anything.
    host.translate(Message{WindowId::graphics, MessageKind::key_up, 'X'});
    host.translate(Message{WindowId::graphics, MessageKind::key_down, 16});
    Message down;
    ASSERT_TRUE(host.take_message(down));
    host.translate(down);
    expect_queue(host, {{WindowId::graphics, MessageKind::character, 'x'},
                        {WindowId::graphics, MessageKind::key_up, 'X'},
                        {WindowId::graphics, MessageKind::left_button_down, 0, 0, 300, 250}});
}

TEST(HeadlessWait, QueuedInputComesBeforeTicksAndQuit)
{
    HeadlessHost host;
    tavro::HeadlessDriver driver(host);
    host.post(Message{WindowId::graphics, MessageKind::paint});
    host.wait_for_message(true);
    expect_queue(host, {{WindowId::graphics, MessageKind::paint}});
    // No timer started: the input is exhausted, so the run is told to quit.
    host.wait_for_message(true);
    expect_queue(host, {{WindowId::graphics, MessageKind::quit}});
    host.post_quit(3);
    expect_queue(host, {{WindowId::graphics, MessageKind::quit, 3}});
    EXPECT_EQ(driver.timer_ticks_delivered(), 0);
}

TEST(HeadlessWait, TimerTicksComeOnlyWhileAPeriodicEventWaits)
{
    HeadlessHost& host = tavro::headless_host();
    tavro::HeadlessDriver& driver = tavro::headless_driver();
    EXPECT_EQ(&tavro::platform_host(), &host);
    host.set_start_time(1000);
    host.create_graphics_window(0, 0, 601, 540);
    host.start_timer(2, 100);
    ASSERT_TRUE(driver.timer_started());
    Message m;
    while (host.take_message(m)) {
    }
    for (int tick = 1; tick <= 25; ++tick) {
        host.wait_for_message(true);
        ASSERT_TRUE(host.take_message(m));
        EXPECT_EQ(m.kind, MessageKind::timer);
        EXPECT_EQ(m.param, 2);
        EXPECT_EQ(driver.timer_ticks_delivered(), tick);
    }
    host.wait_for_message(false);
    ASSERT_TRUE(host.take_message(m));
    EXPECT_EQ(m.kind, MessageKind::quit);
    // Only periodic events that a wait returns move the clock, not the ticks behind them.
    EXPECT_EQ(host.current_time(), 1000);

    // Closing the graphics window stops its timer: a waiting periodic event gets quit instead.
    host.default_handling(Message{WindowId::graphics, MessageKind::close});
    EXPECT_FALSE(driver.graphics_window_exists());
    EXPECT_FALSE(driver.timer_started());
    while (host.take_message(m)) {
    }
    host.wait_for_message(true);
    ASSERT_TRUE(host.take_message(m));
    EXPECT_EQ(m.kind, MessageKind::quit);
    EXPECT_EQ(driver.timer_ticks_delivered(), 25);
}

TEST(HeadlessWindows, DefaultHandlingDestroysOnlyOnClose)
{
    HeadlessHost& host = tavro::headless_host();
    tavro::HeadlessDriver& driver = tavro::headless_driver();
    host.create_text_window(0, 513, 1024, 256);
    host.show_window(WindowId::text, 5);
    EXPECT_TRUE(driver.text_window_visible());
    host.text_put_line("before");
    EXPECT_EQ(driver.visible_text_lines().size(), 1u);
    host.default_handling(Message{WindowId::text, MessageKind::paint});
    EXPECT_TRUE(driver.text_window_exists());
    host.default_handling(Message{WindowId::text, MessageKind::close});
    EXPECT_FALSE(driver.text_window_exists());
    EXPECT_FALSE(driver.text_window_visible());
    // The lines still reach the log after the window is gone.
    host.text_put_line("after");
    EXPECT_EQ(driver.text_lines().back(), "after");
    EXPECT_TRUE(driver.visible_text_lines().empty());
}

TEST(HeadlessMenu, KeepsItsOwnCopyOfTheItems)
{
    HeadlessHost host;
    tavro::HeadlessDriver driver(host);
    char first[] = "&Animate\tCtrl+A";
    char second[] = "&Logging\tCtrl+L";
    const tavro::MenuItem items[] = {{first, 1, tavro::MENU_STRING},
                                     {nullptr, 0, tavro::MENU_SEPARATOR},
                                     {second, 4, tavro::MENU_STRING | tavro::MENU_CHECKED}};
    {
        std::string title = "&Run";
        host.build_menu(title.c_str(), items, 3);
    }
    std::memset(first, 'x', sizeof first - 1);
    std::memset(second, 'x', sizeof second - 1);
    EXPECT_EQ(driver.menu_title(), "&Run");
    ASSERT_EQ(driver.menu_items().size(), 3u);
    EXPECT_STREQ(driver.menu_items()[0].text, "&Animate\tCtrl+A");
    EXPECT_EQ(driver.menu_items()[1].text, nullptr);
    EXPECT_STREQ(driver.menu_items()[2].text, "&Logging\tCtrl+L");
    EXPECT_TRUE(driver.menu_checked(4));
    EXPECT_FALSE(driver.menu_checked(1));

    host.check_menu_item(4, false);
    host.check_menu_item(1, true);
    host.check_menu_item(99, true);
    EXPECT_FALSE(driver.menu_checked(4));
    EXPECT_TRUE(driver.menu_checked(1));
    EXPECT_EQ(driver.menu_items()[2].flags, tavro::MENU_STRING);
    EXPECT_FALSE(driver.menu_checked(99));
}

TEST(HeadlessDialog, RepliesComeInOrderAndAreCutAt255Characters)
{
    HeadlessHost host;
    tavro::HeadlessDriver driver(host);
    driver.push_dialog_reply("first");
    driver.push_dialog_reply(std::string(300, 'r'));
    char reply[256];
    EXPECT_EQ(host.run_prompt_dialog("one", reply, sizeof reply), 1);
    EXPECT_STREQ(reply, "first");
    std::memset(reply, '#', sizeof reply);
    EXPECT_EQ(host.run_prompt_dialog("two", reply, sizeof reply), 1);
    EXPECT_EQ(std::string(reply), std::string(255, 'r'));
    EXPECT_EQ(host.run_prompt_dialog("three", reply, sizeof reply), 1);
    EXPECT_STREQ(reply, "");
    // A smaller holder gets what fits, terminated.
    driver.push_dialog_reply("longer than four");
    char small[5];
    EXPECT_EQ(host.run_prompt_dialog("three", small, sizeof small), 1);
    EXPECT_STREQ(small, "long");
    EXPECT_EQ(driver.dialogs_shown(), 4);
    EXPECT_EQ(driver.last_dialog_message(), "three");

    driver.set_dialog_fails(true);
    driver.push_dialog_reply("unused");
    std::strcpy(reply, "kept");
    EXPECT_EQ(host.run_prompt_dialog("four", reply, sizeof reply), 0);
    EXPECT_STREQ(reply, "kept");
    EXPECT_EQ(driver.dialogs_shown(), 5);
    EXPECT_EQ(driver.last_dialog_message(), "four");
}

}  // namespace
