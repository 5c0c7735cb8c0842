// Web host: the C++ side of the page. The functions below run page.js's TavroPage; the
// exported ones are what the page calls with the user's input.
#include "hosts/web/page_bridge.h"

#include "hosts/web/web_host.h"

#include "support/fatal_failure.h"

#include <emscripten/emscripten.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

// clang-format off
EM_JS(void, js_build, (int text_panel_height, int width, int height), {
    TavroPage.build(text_panel_height, width, height);
});
EM_JS(void, js_begin_menu, (const char* title), { TavroPage.beginMenu(UTF8ToString(title)); });
EM_JS(void, js_add_menu_item, (const char* text, int id, int flags), {
    TavroPage.addMenuItem(text ? UTF8ToString(text) : null, id, flags);
});
EM_JS(void, js_check_menu_item, (int id, int checked), { TavroPage.checkMenuItem(id, checked != 0); });
EM_JS(void, js_show_text_panel, (int shown), { TavroPage.showTextPanel(shown != 0); });
EM_JS(void, js_show_image, (const std::uint8_t* rgba, int width, int height), {
    TavroPage.showImage(HEAPU8.subarray(rgba, rgba + width * height * 4), width, height);
});
EM_JS(void, js_clear_text_lines, (), { TavroPage.clearTextLines(); });
EM_JS(void, js_add_text_line, (const char* line), { TavroPage.addTextLine(UTF8ToString(line)); });
EM_ASYNC_JS(void, js_wait, (double milliseconds), { await TavroPage.wait(milliseconds); });
EM_ASYNC_JS(void, js_run_dialog, (const char* message, char* reply, int reply_size), {
    const answer = await TavroPage.runDialog(UTF8ToString(message));
    stringToUTF8(answer, reply, reply_size);
});
// The value comes back in memory the caller frees: null when the name is not in the address.
EM_JS(char*, js_address_value, (const char* name), {
    const value = TavroPage.addressValue(UTF8ToString(name));
    if (value === null) {
        return 0;
    }
    const size = lengthBytesUTF8(value) + 1;
    const copy = _malloc(size);
    stringToUTF8(value, copy, size);
    return copy;
});
EM_JS(double, js_now, (), { return Date.now(); });
EM_JS(void, js_show_end, (int status), { TavroPage.showEnd(status); });
EM_JS(void, js_refuse_address, (const char* problem), { TavroPage.refuseAddress(UTF8ToString(problem)); });
// clang-format on

}  // namespace

namespace tavro::page {

void build(int text_panel_height, int width, int height) { js_build(text_panel_height, width, height); }

void build_menu(const char* title, const MenuItem* items, int count)
{
    js_begin_menu(title != nullptr ? title : "");
    for (int i = 0; i < count; ++i) {
        js_add_menu_item(items[i].text, items[i].id, static_cast<int>(items[i].flags));
    }
}

void check_menu_item(int id, bool checked) { js_check_menu_item(id, checked ? 1 : 0); }

void show_text_panel(bool shown) { js_show_text_panel(shown ? 1 : 0); }

void show_image(const std::uint8_t* rgba, int width, int height) { js_show_image(rgba, width, height); }

void show_text_lines(const TextLines& lines)
{
    js_clear_text_lines();
    for (const std::string& line : lines) {
        js_add_text_line(line.c_str());
    }
}

void wait(double milliseconds) { js_wait(milliseconds); }

void run_dialog(const char* message, char* reply, std::size_t reply_size)
{
    js_run_dialog(message, reply, static_cast<int>(reply_size));
}

bool address_value(const char* name, std::string& value)
{
    const std::unique_ptr<char, decltype(&std::free)> copy(js_address_value(name), &std::free);
    if (!copy) {
        return false;
    }
    value = copy.get();
    return true;
}

long long seconds_since_1970() { return static_cast<long long>(std::floor(js_now() / 1000)); }

void show_end(int status) { js_show_end(status); }

void refuse_address(const std::string& problem) { js_refuse_address(problem.c_str()); }

}  // namespace tavro::page

extern "C" {

// The page calls these: each ends the program on an exception rather than let one into the page.
EMSCRIPTEN_KEEPALIVE void tavro_web_click(int column, int row)
{
    tavro::without_exceptions([&] {
        tavro::Message message{tavro::WindowId::graphics, tavro::MessageKind::left_button_down};
        message.x = column;
        message.y = row;
        tavro::web_host().post_input(message);
    });
}

EMSCRIPTEN_KEEPALIVE void tavro_web_key(int in_text_panel, int down, int virtual_key, int translated)
{
    tavro::without_exceptions([&] {
        tavro::Message message{in_text_panel ? tavro::WindowId::text : tavro::WindowId::graphics,
                               down ? tavro::MessageKind::key_down : tavro::MessageKind::key_up, virtual_key};
        message.translated = down ? translated : 0;
        tavro::web_host().post_input(message);
    });
}

EMSCRIPTEN_KEEPALIVE void tavro_web_command(int id)
{
    tavro::without_exceptions([&] {
        tavro::web_host().post_input(tavro::Message{tavro::WindowId::graphics, tavro::MessageKind::command, id});
    });
}

EMSCRIPTEN_KEEPALIVE const char* tavro_web_transcript()
{
    return tavro::without_exceptions([] { return tavro::web_host().transcript().c_str(); });
}

EMSCRIPTEN_KEEPALIVE double tavro_web_timer_ticks()
{
    return tavro::without_exceptions([] { return static_cast<double>(tavro::web_host().timer_ticks()); });
}

EMSCRIPTEN_KEEPALIVE double tavro_web_periodic_events()
{
    return tavro::without_exceptions([] { return static_cast<double>(tavro::web_host().periodic_events()); });
}
}
