// The Win32 host through the platform's own calls: windows, menu, events from
// posted messages, pixels of the image, the dialog and a recorded script.
#include "core/colours.h"
#include "core/dialog.h"
#include <tavro/display.h>
#include "core/session.h"
#include "hosts/win32/prompt_template.h"
#include "core/run_menu.h"
#include "hosts/win32/win32_host.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace tavro;

using tavro::win32_host;

namespace {

struct WaitedEvent {
    int kind = 0;
    int x = 0;
    int y = 0;
    char key = 0;
};

WaitedEvent wait(Display& display)
{
    WaitedEvent event;
    event.kind = display.wait_for_event(event.x, event.y, event.key);
    return event;
}

HWND graphics() { return win32_host().graphics_window(); }

// Client pixel of logical (x, y).
LPARAM client_position(int x, int y)
{
    return MAKELPARAM(session().windows.origin_x() + x, session().windows.origin_y() - y);
}

std::string window_text(HWND window)
{
    char text[128] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string class_name(HWND window)
{
    char text[128] = {};
    GetClassNameA(window, text, sizeof text);
    return text;
}

}  // namespace

TEST(Win32Windows, ClassesTitlesStylesPlacesAndSizes)
{
    Display display;
    const int screen_width = GetSystemMetrics(SM_CXSCREEN);
    const int screen_height = GetSystemMetrics(SM_CYSCREEN);
    struct Expected {
        HWND window;
        const char* class_name;
        const char* title;
        LONG style;  // of caption, system menu, sizing border, minimise and maximise box
        RECT outer;
    };
    const Expected windows[] = {
        {graphics(), "DrawWndClass", "TAVRO Graphics", WS_CAPTION | WS_SYSMENU, {0, 0, 601, 540}},
        {win32_host().text_window(),
         "TextWndClass",
         "TAVRO Text",
         WS_OVERLAPPEDWINDOW & ~WS_OVERLAPPED,
         {0, 2 * screen_height / 3 + 1, screen_width, 2 * screen_height / 3 + 1 + screen_height / 3}},
    };
    const LONG style_mask = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    for (const Expected& e : windows) {
        SCOPED_TRACE(e.title);
        ASSERT_TRUE(IsWindow(e.window));
        EXPECT_TRUE(IsWindowVisible(e.window));
        EXPECT_EQ(class_name(e.window), e.class_name);
        EXPECT_EQ(window_text(e.window), e.title);
        EXPECT_EQ(GetWindowLongA(e.window, GWL_STYLE) & style_mask, e.style);
        RECT outer{};
        GetWindowRect(e.window, &outer);
        EXPECT_EQ(outer.left, e.outer.left);
        EXPECT_EQ(outer.top, e.outer.top);
        EXPECT_EQ(outer.right, e.outer.right);
        EXPECT_EQ(outer.bottom, e.outer.bottom);
    }
    // The origin is the centre of the client area, which the frame, caption and menu make smaller.
    RECT client{};
    GetClientRect(graphics(), &client);
    EXPECT_LT(client.bottom, 540);
    EXPECT_EQ(session().windows.origin_x(), client.right / 2);
    EXPECT_EQ(session().windows.origin_y(), client.bottom / 2);
}

TEST(Win32Menu, ItemsTextsStatesAndCheckMarks)
{
    Display display;
    HMENU bar = GetMenu(graphics());
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    char text[128] = {};
    GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Run");
    HMENU popup = GetSubMenu(bar, 0);
    ASSERT_EQ(popup, win32_host().run_menu());
    ASSERT_EQ(GetMenuItemCount(popup), RUN_MENU_ITEM_COUNT);
    for (int i = 0; i < RUN_MENU_ITEM_COUNT; ++i) {
        const tavro::MenuItem& item = run_menu_items[i];
        SCOPED_TRACE(i);
        // The Display's constructor has switched logging off; a separator may also report itself grayed.
        const UINT expected = item.flags & ~static_cast<unsigned>(MF_CHECKED);
        const UINT mask = item.text != nullptr ? MF_SEPARATOR | MF_GRAYED | MF_CHECKED : MF_SEPARATOR;
        EXPECT_EQ(GetMenuState(popup, i, MF_BYPOSITION) & mask, expected & mask);
        if (item.text != nullptr) {
            GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
            EXPECT_STREQ(text, item.text);
            EXPECT_EQ(GetMenuItemID(popup, i), static_cast<UINT>(item.id));
        }
    }
    // Commands from the menu set and clear the check marks; a character ends each wait.
    const struct {
        int command;
        int item;
        bool checked;
    } toggles[] = {
        {COMMAND_LOGGING, 4, true}, {COMMAND_LOGGING, 4, false}, {COMMAND_RECORD, 5, true}, {COMMAND_RECORD, 5, false}};
    for (const auto& t : toggles) {
        PostMessageA(graphics(), WM_COMMAND, t.command, 0);
        PostMessageA(graphics(), WM_CHAR, 'k', 0);
        EXPECT_EQ(wait(display).kind, event_keyboard);
        EXPECT_EQ((GetMenuState(popup, t.item, MF_BYCOMMAND) & MF_CHECKED) != 0, t.checked) << t.command;
    }
    std::remove("TAVRO.SCR");
}

TEST(Win32Events, PostedMessagesBecomeEvents)
{
    Display display;
    HWND text = win32_host().text_window();
    struct Posted {
        HWND window;
        UINT message;
        WPARAM wparam;
        LPARAM lparam;
    };
    struct Case {
        const char* name;
        std::vector<Posted> posted;
        WaitedEvent expected;
    };
    const Case cases[] = {
        {"click at the client centre",
         {{graphics(), WM_LBUTTONDOWN, MK_LBUTTON, client_position(0, 0)}},
         {event_mouse, 0, 0, 0}},
        {"click right of and above it",
         {{graphics(), WM_LBUTTONDOWN, MK_LBUTTON, client_position(10, 20)}},
         {event_mouse, 10, 20, 0}},
        {"a character", {{graphics(), WM_CHAR, 'a', 0}}, {event_keyboard, 0, 0, 'a'}},
        {"Enter, translated", {{graphics(), WM_KEYDOWN, VK_RETURN, 0}}, {event_keyboard, 0, 0, 13}},
        // Posted in one go, so Ctrl stays down until the case after: the characters that
        // translating the letter keys makes come while it is held.
        {"Ctrl+F typed in the text window",
         {{text, WM_KEYDOWN, VK_CONTROL, 0}, {text, WM_KEYDOWN, 'F', 0}, {text, WM_KEYUP, 'F', 0}},
         {event_periodic, 0, 0, 0}},
        {"a character after Ctrl went up",
         {{graphics(), WM_KEYUP, VK_CONTROL, 0}, {graphics(), WM_CHAR, 'b', 0}},
         {event_keyboard, 0, 0, 'b'}},
        {"Ctrl+A animates: a timer tick",
         {{graphics(), WM_KEYDOWN, VK_CONTROL, 0}, {graphics(), WM_KEYDOWN, 'A', 0}, {graphics(), WM_KEYUP, 'A', 0}},
         {event_periodic, 0, 0, 0}},
        {"still animating", {{graphics(), WM_KEYUP, VK_CONTROL, 0}}, {event_periodic, 0, 0, 0}},
        {"closing the graphics window", {{graphics(), WM_CLOSE, 0, 0}}, {event_quit, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const Posted& p : c.posted) {
            PostMessageA(p.window, p.message, p.wparam, p.lparam);
        }
        const WaitedEvent event = wait(display);
        EXPECT_EQ(event.kind, c.expected.kind);
        EXPECT_EQ(event.x, c.expected.x);
        EXPECT_EQ(event.y, c.expected.y);
        EXPECT_EQ(event.key, c.expected.key);
    }
    EXPECT_FALSE(IsWindow(graphics()));
}
