// FLTK desktop host: a label type that shows its text as it is.
//
// FLTK's normal labels read '@' as the start of a symbol, which would cut an
// address such as "help@example" short; this type draws every character, and
// still underlines the letter after '&' where FLTK asks for that (menus).
//
// Dependencies: FLTK (Fl::set_labeltype, fl_draw, fl_measure).
// Known limits: no images beside the text.
#pragma once

#include <FL/Enumerations.H>

namespace tavro {

// The label type, registered with FLTK on first use.
Fl_Labeltype plain_label();

}  // namespace tavro
