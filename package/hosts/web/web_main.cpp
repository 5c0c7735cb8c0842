// Web host: the process entry of a program's page. The page starts it once the program is
// loaded; when the application returns, the page says so.
#include "hosts/web/web_host.h"
#include "platform.h"
#include "session.h"

extern "C" const int tavro_program_entry = 1;

int main()
{
    const int status = process_entry(nullptr, nullptr, "", tavro::SHOW_NORMAL);
    tavro::web_host().show_end(status);
    return status;
}
