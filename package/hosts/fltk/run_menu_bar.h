// FLTK desktop host: the graphics window's menu bar.
//
// Choosing an item queues Message{graphics, command, id}. The bar ignores
// FL_SHORTCUT events: the Ctrl shortcuts shown in the menu reach the package
// as key-downs, which run the commands, so nothing is handled twice.
//
// Dependencies: FLTK (Fl_Menu_Bar), menu_layout.
// Known limits: the Alt+letter access to the title is off with the shortcuts.
#pragma once

#include "hosts/fltk/menu_layout.h"
#include "hosts/message_queue.h"

#include <FL/Fl_Menu_Bar.H>

namespace tavro {

class RunMenuBar final : public Fl_Menu_Bar {
public:
    RunMenuBar(int x, int y, int width, int height, MessageQueue& queue);

    void set_items(const char* title, const MenuItem* items, int count);
    void set_check(int id, bool checked);
    int handle(int event) override;

private:
    static void on_pick(Fl_Widget* widget, void* data);

    MessageQueue& queue_;
    MenuLayout layout_;
};

}  // namespace tavro
