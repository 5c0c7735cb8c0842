// Web host: the process entry of a program's page. The page starts it once the program is
// loaded; when the application returns, the page shows the status it returned. An address the
// page refuses (a bad time=, say) keeps the program from starting, as a bad option does the
// render entry's run.
#include "core/control.h"
#include "hosts/web/page_bridge.h"
#include "hosts/web/web_host.h"
#include "seam/host.h"

extern "C" const int tavro_program_entry = 1;

namespace {

// The render entry's status for a bad argument.
constexpr int REFUSED_STATUS = 2;

}  // namespace

int main()
{
    std::string problem;
    if (!tavro::web_host().take_address(problem)) {
        tavro::page::refuse_address(problem);
        return REFUSED_STATUS;
    }
    const int status = tavro::run_application_entry(nullptr, nullptr, "", tavro::SHOW_NORMAL);
    tavro::web_host().show_end(status);
    return status;
}
