// FLTK desktop host: the package's menu items as an FLTK menu array.
//
// One title item opens a submenu of the given items: each label is the text up
// to the tab, the text after it ("Ctrl+A") becomes the item's shortcut field so
// that FLTK shows it on the right, separators become dividers under the item
// before them, grayed items are inactive, and checked items are toggles. An item
// first checked later becomes a toggle then.
//
// Dependencies: FLTK (Fl_Menu_Item).
// Known limits: shortcut texts other than Ctrl/Shift/Alt+<one character> show nothing.
#pragma once

#include "seam/host.h"

#include <FL/Fl_Menu_Item.H>

#include <string>
#include <vector>

namespace tavro {

struct MenuLayout {
    std::vector<std::string> labels;  // owns the texts the items point to
    std::vector<Fl_Menu_Item> items;  // the title, its items, two terminators
};

MenuLayout layout_menu(const char* title, const MenuItem* items, int count);

// The FLTK shortcut that a text such as "Ctrl+A" names; 0 when it names none.
int shortcut_of(const std::string& text);

// Sets or clears the check mark of every item with this command identifier.
void set_menu_check(MenuLayout& layout, int id, bool checked);

// The command identifier that layout_menu keeps in an item.
int command_of(const Fl_Menu_Item& item);

}  // namespace tavro
