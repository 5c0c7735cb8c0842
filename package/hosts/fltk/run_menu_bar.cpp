// FLTK desktop host: the graphics window's menu bar.
//
// Dependencies: FLTK (Fl_Menu_Bar), menu_layout.
// Known limits: see run_menu_bar.h.
#include "hosts/fltk/run_menu_bar.h"

#include "hosts/fltk/plain_label.h"

namespace tavro {

RunMenuBar::RunMenuBar(int x, int y, int width, int height, MessageQueue& queue)
    : Fl_Menu_Bar(x, y, width, height), queue_(queue)
{
    callback(on_pick, this);
    clear_visible_focus();
}

void RunMenuBar::set_items(const char* title, const MenuItem* items, int count)
{
    layout_ = layout_menu(title, items, count);
    for (Fl_Menu_Item& item : layout_.items) {
        item.labeltype_ = static_cast<uchar>(plain_label());
    }
    // The bar uses the array in place, so check marks set later show at once.
    menu(layout_.items.data());
}

void RunMenuBar::set_check(int id, bool checked)
{
    set_menu_check(layout_, id, checked);
    redraw();
}

int RunMenuBar::handle(int event) { return event == FL_SHORTCUT ? 0 : Fl_Menu_Bar::handle(event); }

void RunMenuBar::on_pick(Fl_Widget*, void* data)
{
    auto* bar = static_cast<RunMenuBar*>(data);
    const Fl_Menu_Item* item = bar->mvalue();
    if (item != nullptr) {
        bar->queue_.push_back(Message{WindowId::graphics, MessageKind::command, command_of(*item)});
    }
}

}  // namespace tavro
