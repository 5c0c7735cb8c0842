// The GDI image read back with GetPixel, the text window's repaint, the
// dialog's template and run, and a script recorded and played back, all in a
// real Win32 session.
#include "core/colours.h"
#include "core/dialog.h"
#include "hosts/win32/global_text_block.h"
#include <tavro/display.h>
#include "core/session.h"
#include "hosts/win32/prompt_template.h"
#include "process_window.h"
#include "core/run_menu.h"
#include "core/text_window.h"
#include "hosts/win32/win32_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace tavro;

using tavro::win32_host;

namespace {

HWND graphics() { return win32_host().graphics_window(); }

// The colour at logical (x, y) of the image.
tavro::Rgb at(int x, int y)
{
    return win32_host().canvas()->pixel(session().windows.origin_x() + x, session().windows.origin_y() - y);
}

}  // namespace

TEST(Win32Image, EdgeRulesReadBackWithGetPixel)
{
    Display display;
    clear_graphics();
    plot_circle(COLOUR_BLUE, 0, 0, 5);
    plot_rectangle(COLOUR_RED, 60, 10, 40, -10, 0);
    plot_line(COLOUR_GREEN, -100, 100, -80, 100, 0);
    plot_rectangle(COLOUR_BLACK, -100, -50, -60, -90, 3);
    plot_triangle(COLOUR_PURPLE, 100, 100, 140, 100, 100, 140, 0);
    plot_pixel(COLOUR_ORANGE, 200, -200);
    const tavro::Rgb white = colour_values[COLOUR_WHITE];
    struct Probe {
        const char* what;
        int x, y;
        int colour;  // -1: left white
    };
    const Probe probes[] = {
        {"circle: 11 columns across", -5, 0, COLOUR_BLUE},
        {"", 5, 0, COLOUR_BLUE},
        {"", -6, 0, -1},
        {"", 6, 0, -1},
        {"circle: 11 rows", 0, 5, COLOUR_BLUE},
        {"", 0, -5, COLOUR_BLUE},
        {"", 0, 6, -1},
        {"", 0, -6, -1},
        {"rectangle: both corners", 40, 10, COLOUR_RED},
        {"", 60, -10, COLOUR_RED},
        {"", 61, 0, -1},
        {"", 50, -11, -1},
        {"line: first pixel", -100, 100, COLOUR_GREEN},
        {"line: last pixel", -81, 100, COLOUR_GREEN},
        {"line: end pixel left out", -80, 100, -1},
        {"hollow: outline", -100, -70, COLOUR_BLACK},
        {"hollow: interior untouched", -80, -70, -1},
        {"triangle: vertex", 100, 100, COLOUR_PURPLE},
        {"triangle: inside", 105, 105, COLOUR_PURPLE},
        {"triangle: beyond the slope", 130, 130, -1},
        {"pixel", 200, -200, COLOUR_ORANGE},
        {"", 201, -200, -1},
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(testing::Message() << p.what << " (" << p.x << ", " << p.y << ")");
        const tavro::Rgb expected = p.colour < 0 ? white : colour_values[p.colour];
        const tavro::Rgb actual = at(p.x, p.y);
        EXPECT_EQ(actual, expected) << int(actual.r) << "," << int(actual.g) << "," << int(actual.b);
    }
    // The frame that clearing leaves on the image's outermost rows and columns.
    tavro::GdiCanvas& canvas = *win32_host().canvas();
    EXPECT_EQ(canvas.pixel(0, 300), colour_values[COLOUR_BLACK]);
    EXPECT_EQ(canvas.pixel(600, 0), colour_values[COLOUR_BLACK]);
}

TEST(Win32Image, TwoLineTextStacksByTheLineHeight)
{
    Display display;
    display.clear(COLOUR_WHITE);
    plot_text(COLOUR_BLACK, 0, 0, 20, "%s", "A\nB");
    tavro::GdiCanvas& canvas = *win32_host().canvas();
    // Rows with ink: the A lies in the 20-pixel cell above the anchor row, the B in the one below.
    auto ink_in_rows = [&](int first, int last) {
        int count = 0;
        for (int row = first; row <= last; ++row) {
            for (int column = session().windows.origin_x(); column < session().windows.origin_x() + 20; ++column) {
                count += canvas.pixel(column, row) == colour_values[COLOUR_BLACK];
            }
        }
        return count;
    };
    const int oy = session().windows.origin_y();
    EXPECT_GT(ink_in_rows(oy - 20, oy - 1), 20);
    EXPECT_GT(ink_in_rows(oy, oy + 19), 20);
    EXPECT_EQ(ink_in_rows(oy - 40, oy - 24), 0);
}

TEST(Win32Dialog, TemplateBytes)
{
    const std::string message =
        std::string("Error: Attempted to instantiate multiple TAVRO displays") + std::string(79 - 55, ' ');
    const tavro::PromptTemplate layout = tavro::build_prompt_template(message.c_str());
    const auto& b = layout.bytes;
    auto word = [&](int at) { return b[at] | (b[at + 1] << 8); };
    auto dword = [&](int at) { return static_cast<unsigned>(word(at)) | (static_cast<unsigned>(word(at + 2)) << 16); };
    auto text = [&](int at, int length) {
        std::string result;
        for (int i = 0; i < length; ++i) {
            result += static_cast<char>(word(at + 2 * i));
        }
        return result;
    };
    EXPECT_EQ(b.size(), 292u);
    struct Field {
        const char* what;
        int at;
        unsigned value;
        bool is_dword;
    };
    const Field fields[] = {
        {"header style", 0, 0x90C80080, true},
        {"items", 8, 3, false},
        {"x", 10, 50, false},
        {"y", 12, 50, false},
        {"cx", 14, 185, false},
        {"cy", 16, 92, false},
        {"no menu", 18, 0, false},
        {"default class", 20, 0, false},
        {"title end", 42, 0, false},
        {"edit style", 44, 0x50810044, true},
        {"edit x", 52, 8, false},
        {"edit cy", 58, 37, false},
        {"edit id", 60, 102, false},
        {"edit class", 62, 0xFFFF, false},
        {"", 64, 0x81, false},
        {"edit text", 66, 0, false},
        {"button style", 72, 0x50010001, true},
        {"button x", 80, 67, false},
        {"button id", 88, 101, false},
        {"button class", 92, 0x80, false},
        {"static style", 108, 0x50020000, true},
        {"static cx", 120, 167, false},
        {"static id", 124, 103, false},
        {"static class", 128, 0x82, false},
        {"message end", 288, 0, false},
        {"no creation data", 290, 0, false},
    };
    for (const Field& f : fields) {
        EXPECT_EQ(f.is_dword ? dword(f.at) : static_cast<unsigned>(word(f.at)), f.value) << f.what << " at " << f.at;
    }
    EXPECT_EQ(text(22, 10), "TAVRO_gets");
    EXPECT_EQ(text(94, 4), "Okay");
    EXPECT_EQ(text(130, 79), message);
}

namespace {

// Drives the running dialog from a thread timer: Escape's command first (it must stay open), then
// a reply put into the edit box and Enter pressed there, which presses the default button "Okay".
struct DialogDriver {
    int step = 0;
    bool open_after_cancel = false;
    std::string shown;
};
DialogDriver driver;

void CALLBACK drive_dialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = process_window(GetCurrentProcessId(), nullptr, "TAVRO_gets");
    if (dialog == nullptr) {
        return;
    }
    if (driver.step == 0) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    } else if (driver.step == 1) {
        driver.open_after_cancel = IsWindow(dialog) != FALSE;
        char shown[128] = {};
        GetDlgItemTextA(dialog, tavro::PROMPT_TEXT_ID, shown, sizeof shown);
        driver.shown = shown;
        SetDlgItemTextA(dialog, tavro::PROMPT_EDIT_ID, "typed reply");
        PostMessageA(GetDlgItem(dialog, tavro::PROMPT_EDIT_ID), WM_KEYDOWN, VK_RETURN, 0);
    }
    ++driver.step;
}

}  // namespace

TEST(Win32Dialog, EscapeLeavesItOpenAndEnterDeliversTheText)
{
    Display display;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, drive_dialog);
    char reply[PROMPT_REPLY_SIZE] = "untouched";
    EXPECT_EQ(prompt_dialog("A message of ten", reply), 1);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(driver.open_after_cancel);
    EXPECT_EQ(driver.shown, "A message of ten" + std::string(79 - 16, ' '));
    EXPECT_STREQ(reply, "typed reply");
}

TEST(Win32Script, RecordedThenPlayedBack)
{
    std::remove("TAVRO.SCR");
    Display display;
    int x = 0, y = 0;
    char key = 0;
    auto post_and_wait = [&](std::vector<std::pair<UINT, WPARAM>> posted, LPARAM lparam = 0) {
        for (const auto& p : posted) {
            PostMessageA(graphics(), p.first, p.second, lparam);
        }
        return display.wait_for_event(x, y, key);
    };
    const LPARAM centre = MAKELPARAM(session().windows.origin_x(), session().windows.origin_y());
    EXPECT_EQ(post_and_wait({{WM_COMMAND, COMMAND_RECORD}, {WM_LBUTTONDOWN, MK_LBUTTON}}, centre), event_mouse);
    EXPECT_EQ(post_and_wait({{WM_CHAR, 'x'}}), event_keyboard);
    EXPECT_EQ(post_and_wait({{WM_COMMAND, COMMAND_ONE_FRAME}}), event_periodic);
    EXPECT_EQ(post_and_wait({{WM_COMMAND, COMMAND_RECORD}, {WM_CHAR, 'y'}}), event_keyboard);
    std::ifstream file("TAVRO.SCR");
    std::stringstream contents;
    contents << file.rdbuf();
    file.close();
    EXPECT_EQ(contents.str(), "TAVRO_MOUSE(0, 0);\nTAVRO_KBD(120);\nTAVRO_PERIODIC(1);\n");

    EXPECT_EQ(post_and_wait({{WM_COMMAND, COMMAND_PLAYBACK}}), event_mouse);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(display.wait_for_event(x, y, key), event_keyboard);
    EXPECT_EQ(key, 'x');
    EXPECT_EQ(display.wait_for_event(x, y, key), event_periodic);
    // The script is over: playback stops, and live input counts again.
    EXPECT_EQ(post_and_wait({{WM_CHAR, 'z'}}), event_keyboard);
    EXPECT_EQ(key, 'z');
    EXPECT_FALSE(session().script.playing());
    std::remove("TAVRO.SCR");
}

namespace {

// Rows of the text window's client area, read back from the window: true where a row has ink.
std::vector<bool> inked_rows(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    std::vector<bool> rows;
    for (int row = 0; row < client.bottom; ++row) {
        bool ink = false;
        for (int column = 0; column < 100 && !ink; ++column) {
            ink = GetPixel(dc, column, row) == RGB(0, 0, 0);
        }
        rows.push_back(ink);
    }
    ReleaseDC(window, dc);
    return rows;
}

}  // namespace

TEST(Win32TextWindow, RepaintReplaysTheKeptLinesNewestAtTheBottom)
{
    Display display;
    HWND text = win32_host().text_window();
    TEXTMETRICA metrics{};
    HDC dc = GetDC(text);
    SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    GetTextMetricsA(dc, &metrics);
    ReleaseDC(text, dc);
    const int line_height = metrics.tmHeight + metrics.tmExternalLeading;

    session().text.printf("only line\n");
    RedrawWindow(text, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    std::vector<bool> rows = inked_rows(text);
    const int bottom = static_cast<int>(rows.size());
    ASSERT_GT(bottom, 3 * line_height);
    auto ink_between = [&](int first, int last) { return std::count(rows.begin() + first, rows.begin() + last, true); };
    EXPECT_GT(ink_between(bottom - line_height, bottom), 0);
    EXPECT_EQ(ink_between(0, bottom - line_height), 0);

    // 30 lines: the ring keeps the last 25, and a repaint shows them (as many as fit).
    for (int i = 1; i <= 29; ++i) {
        session().text.printf("line %d\n", i);
    }
    const std::vector<bool> before = inked_rows(text);
    RedrawWindow(text, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    rows = inked_rows(text);
    EXPECT_EQ(rows, before);
    const int kept = std::min(25, bottom / line_height);
    EXPECT_GT(ink_between(bottom - kept * line_height, bottom - (kept - 1) * line_height), 0);
    EXPECT_EQ(session().text.history().first, session().text.history().next);
    // Each kept line is a movable global block, unlocked between uses.
    for (const auto& block : session().text.history().lines) {
        auto* global = dynamic_cast<tavro::GlobalTextBlock*>(block.get());
        ASSERT_NE(global, nullptr);
        EXPECT_EQ(GlobalFlags(GlobalHandle(global->lock())) & GMEM_LOCKCOUNT, 1u);
        global->unlock();
    }
}
