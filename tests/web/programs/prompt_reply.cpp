// Asks for a reply in the package's dialog and writes the dialog's result and the reply to the
// text window as "RESULT [REPLY]".
#include "core/session.h"
#include "core/text_window.h"
#include <tavro/display.h>

using namespace tavro;

int application_main()
{
    Display display;
    char reply[PROMPT_REPLY_SIZE] = {};
    const int result = prompt_dialog("Type a reply", reply);
    session().text.printf("%d [%s]\n", result, reply);
    return 0;
}
