// The modal text-input dialog "TAVRO_gets".
#pragma once

constexpr int PROMPT_MESSAGE_LENGTH = 79;
constexpr int PROMPT_REPLY_SIZE = 256;  // 255 characters and a terminator

// Shows message (cut or padded to exactly 79 characters) and copies the typed
// reply into reply. Returns 1 when the dialog ran, 0 when it could not be created.
int prompt_dialog(const char* message, char* reply);
