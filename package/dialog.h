// The modal text-input dialog "TAVRO_gets".
#pragma once

#include <tavro/display.h>

constexpr int PROMPT_MESSAGE_LENGTH = 79;

// prompt_dialog, declared in <tavro/display.h>, shows the message cut or padded to exactly this length.

// The line a run answered from a list (the render entry's --answer) writes to the text window
// when the dialog finds no answer left; the reply is then empty.
constexpr const char* DIALOG_NO_ANSWER_LEFT = "No answer left for the dialog: the reply is empty\n";
