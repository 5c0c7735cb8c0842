#include "core/dialog.h"

#include "seam/host.h"

#include <cstring>

using tavro::PROMPT_MESSAGE_LENGTH;

int prompt_dialog(const char* message, char* reply)
{
    char shown[PROMPT_MESSAGE_LENGTH + 1];
    std::memset(shown, ' ', PROMPT_MESSAGE_LENGTH);
    shown[PROMPT_MESSAGE_LENGTH] = '\0';
    const std::size_t length = std::strlen(message);
    std::memcpy(shown, message, length < PROMPT_MESSAGE_LENGTH ? length : PROMPT_MESSAGE_LENGTH);
    return tavro::platform_host().run_prompt_dialog(shown, reply, PROMPT_REPLY_SIZE);
}
