#include "hosts/fltk/run_report.h"

#include <cstdio>
#include <cstdlib>

namespace tavro {

RunReport::RunReport() : enabled_(std::getenv("TAVRO_RUN_REPORT") != nullptr) {}

void RunReport::periodic_event_returned()
{
    ++periodic_events_;
    tell();
}

void RunReport::set_sleeping(bool sleeping)
{
    if (sleeping != sleeping_) {
        sleeping_ = sleeping;
        tell();
    }
}

void RunReport::tell() const
{
    if (enabled_) {
        std::fprintf(stderr, "TAVRO run: %lld periodic events, %s\n", periodic_events_,
                     sleeping_ ? "sleeping" : "busy");
        std::fflush(stderr);
    }
}

}  // namespace tavro
