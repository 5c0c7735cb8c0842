// Web host: the calls from C++ into the page (page.js), and the page's calls into C++.
//
// The page is the one HTML file a program builds to: a menu bar, the graphics area (an
// HTML canvas of the client area's size), the text panel and a modal dialog. Input reaches C++
// through tavro_web_post (below); C++ blocks by awaiting page_wait, which the page resolves
// when input arrives or the time is up, so the page sleeps while the program waits.
//
// Dependencies: emscripten (EM_JS, EM_ASYNC_JS; built with ASYNCIFY).
// Known limits: one page, one program.
#pragma once

#include "seam/host.h"

#include <cstddef>
#include <cstdint>
#include "hosts/text_lines.h"

#include <string>

namespace tavro::page {

// Lays out the page: menu bar, graphics area of width x height pixels, and under it the text
// panel, as wide, of text_panel_height pixels.
void build(int text_panel_height, int width, int height);
void build_menu(const char* title, const MenuItem* items, int count);
void check_menu_item(int id, bool checked);
void show_text_panel(bool shown);
// Shows rows of RGBA bytes, width x height, in the graphics area.
void show_image(const std::uint8_t* rgba, int width, int height);
// Replaces the text panel's lines, oldest first.
void show_text_lines(const TextLines& lines);
// Gives control back to the page until input is posted, or for at most milliseconds
// (negative: no limit). The page draws and takes input only while C++ is here.
void wait(double milliseconds);
// The modal dialog "TAVRO_gets": copies the reply (at most reply_size - 1 bytes) and a
// terminator into reply once the user has confirmed it.
void run_dialog(const char* message, char* reply, std::size_t reply_size);
// The value of name in the page's address ("" for a bare name); false when it is not there.
bool address_value(const char* name, std::string& value);
// The browser's clock, in whole seconds since 1970.
long long seconds_since_1970();

// Tells the page the program has ended with this status.
void show_end(int status);
// Tells the page its address was refused (problem: one line) and the program did not start.
void refuse_address(const std::string& problem);

}  // namespace tavro::page
