// FLTK desktop host: the package's menu items as an FLTK menu array.
//
// Dependencies: FLTK (Fl_Menu_Item, key and modifier names).
// Known limits: see menu_layout.h.
#include "hosts/fltk/menu_layout.h"

#include <FL/Enumerations.H>

#include <cctype>
#include <cstdint>

namespace tavro {

namespace {

struct Modifier {
    const char* name;
    int flag;
};

constexpr Modifier modifiers[] = {{"Ctrl+", FL_CTRL}, {"Shift+", FL_SHIFT}, {"Alt+", FL_ALT}};

Fl_Menu_Item blank_item()
{
    Fl_Menu_Item item{};
    return item;
}

}  // namespace

int shortcut_of(const std::string& text)
{
    std::size_t at = 0;
    int flags = 0;
    bool found = true;
    while (found) {
        found = false;
        for (const Modifier& modifier : modifiers) {
            const std::string name = modifier.name;
            if (text.compare(at, name.size(), name) == 0) {
                flags |= modifier.flag;
                at += name.size();
                found = true;
            }
        }
    }
    if (flags == 0 || text.size() != at + 1) {
        return 0;
    }
    return flags | std::tolower(static_cast<unsigned char>(text[at]));
}

MenuLayout layout_menu(const char* title, const MenuItem* items, int count)
{
    MenuLayout layout;
    const std::size_t size = count > 0 && items != nullptr ? static_cast<std::size_t>(count) : 0;
    // Every label is stored before any pointer into the vector is taken, so none moves afterwards.
    layout.labels.reserve(size + 1);
    layout.labels.emplace_back(title != nullptr ? title : "");
    std::vector<std::string> shortcuts(size);
    for (std::size_t i = 0; i < size; ++i) {
        const std::string text = items[i].text != nullptr ? items[i].text : "";
        const std::size_t tab = text.find('\t');
        layout.labels.push_back(text.substr(0, tab));
        shortcuts[i] = tab == std::string::npos ? "" : text.substr(tab + 1);
    }

    Fl_Menu_Item heading = blank_item();
    heading.text = layout.labels[0].c_str();
    heading.flags = FL_SUBMENU;
    layout.items.push_back(heading);
    for (std::size_t i = 0; i < size; ++i) {
        const MenuItem& source = items[i];
        if ((source.flags & MENU_SEPARATOR) != 0 || source.text == nullptr) {
            if (layout.items.size() > 1) {
                layout.items.back().flags |= FL_MENU_DIVIDER;
            }
            continue;
        }
        Fl_Menu_Item item = blank_item();
        item.text = layout.labels[i + 1].c_str();
        item.shortcut_ = shortcut_of(shortcuts[i]);
        item.user_data_ = reinterpret_cast<void*>(static_cast<std::intptr_t>(source.id));
        if ((source.flags & MENU_GRAYED) != 0) {
            item.flags |= FL_MENU_INACTIVE;
        }
        if ((source.flags & MENU_CHECKED) != 0) {
            item.flags |= FL_MENU_TOGGLE | FL_MENU_VALUE;
        }
        layout.items.push_back(item);
    }
    layout.items.push_back(blank_item());  // ends the submenu
    layout.items.push_back(blank_item());  // ends the bar
    return layout;
}

void set_menu_check(MenuLayout& layout, int id, bool checked)
{
    // The title and the two terminators carry no command.
    for (std::size_t i = 1; i + 2 < layout.items.size(); ++i) {
        Fl_Menu_Item& item = layout.items[i];
        if (command_of(item) != id) {
            continue;
        }
        item.flags |= FL_MENU_TOGGLE;
        item.flags = checked ? (item.flags | FL_MENU_VALUE) : (item.flags & ~FL_MENU_VALUE);
    }
}

int command_of(const Fl_Menu_Item& item) { return static_cast<int>(reinterpret_cast<std::intptr_t>(item.user_data_)); }

}  // namespace tavro
