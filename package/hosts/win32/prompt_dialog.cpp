// Win32 host: the modal dialog "TAVRO_gets", run from its in-memory template.
#include "hosts/win32/prompt_template.h"
#include "hosts/win32/win32_host.h"

#include <algorithm>

namespace tavro {

namespace {

struct ReplyHolder {
    char* text;
    std::size_t size;
};

// The reply holder of the dialog that runs now, remembered when it starts.
ReplyHolder* current_reply = nullptr;

INT_PTR CALLBACK prompt_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_INITDIALOG) {
        current_reply = reinterpret_cast<ReplyHolder*>(lparam);
        return TRUE;  // the focus goes to the first tab stop, the edit box
    }
    // Only "Okay" (and Enter, which presses it) closes the dialog; Escape and the close box send IDCANCEL.
    if (message == WM_COMMAND && wparam == PROMPT_OK_ID) {
        if (current_reply != nullptr && current_reply->text != nullptr && current_reply->size > 0) {
            const int limit = static_cast<int>(std::min<std::size_t>(current_reply->size, 256));
            GetDlgItemTextA(dialog, PROMPT_EDIT_ID, current_reply->text, limit);
        }
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int Win32Host::run_prompt_dialog(const char* message, char* reply, std::size_t reply_size)
{
    const PromptTemplate layout = build_prompt_template(message);
    ReplyHolder holder{reply, reply_size};
    const INT_PTR result =
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(layout.bytes.data()),
                                graphics_, prompt_dialog_procedure, reinterpret_cast<LPARAM>(&holder));
    current_reply = nullptr;
    return result == -1 ? 0 : 1;
}

}  // namespace tavro
