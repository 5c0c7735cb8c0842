// FLTK desktop host: the modal text-input dialog "TAVRO_gets".
//
// Shows the message, a multi-line text box and an "Okay" default button. Enter
// (in the text box too) or "Okay" closes it; Escape and the close box leave it
// open. The other windows keep receiving their events meanwhile, but no input.
//
// Dependencies: FLTK (Fl_Window, Fl_Multiline_Input, Fl_Return_Button).
// Known limits: a line break typed with Enter is not possible, as Enter closes
// the dialog; the text box keeps at most 255 characters of what is typed.
#pragma once

#include <cstddef>

namespace tavro {

// Runs the dialog until it is closed and copies at most reply_size - 1 (and at
// most 255) characters and a terminator into reply; returns 1, or 0 when the
// dialog could not be shown.
int run_prompt_dialog_window(const char* message, char* reply, std::size_t reply_size);

}  // namespace tavro
