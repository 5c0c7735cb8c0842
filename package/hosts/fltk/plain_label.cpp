// FLTK desktop host: a label type that shows its text as it is.
//
// Dependencies: FLTK (Fl::set_labeltype, fl_draw, fl_measure).
// Known limits: see plain_label.h.
#include "hosts/fltk/plain_label.h"

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>
#include <FL/fl_draw.H>

namespace tavro {

namespace {

constexpr Fl_Labeltype PLAIN_LABEL = FL_FREE_LABELTYPE;

void draw_plain(const Fl_Label* label, int x, int y, int width, int height, Fl_Align align)
{
    fl_font(label->font, label->size);
    fl_color(label->color);
    fl_draw(label->value, x, y, width, height, align, nullptr, 0);
}

void measure_plain(const Fl_Label* label, int& width, int& height)
{
    fl_font(label->font, label->size);
    fl_measure(label->value, width, height, 0);
}

}  // namespace

Fl_Labeltype plain_label()
{
    static const bool registered = [] {
        Fl::set_labeltype(PLAIN_LABEL, draw_plain, measure_plain);
        return true;
    }();
    static_cast<void>(registered);
    return PLAIN_LABEL;
}

}  // namespace tavro
