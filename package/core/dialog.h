// The modal text-input dialog "TAVRO_gets".
#pragma once

#include <tavro/display.h>

namespace tavro {

constexpr int PROMPT_MESSAGE_LENGTH = 79;

// prompt_dialog, declared in <tavro/display.h>, shows the message cut or padded to exactly this length.

}  // namespace tavro
