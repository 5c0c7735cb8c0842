// One headless run of the program, written out as pictures and a log.
#pragma once

#include "render/render_options.h"

#include <ostream>
#include <string>

namespace tavro {

// Runs the application's main routine over the headless host as the options say, reporting
// what was written on report and each failure as one line on errors, both starting with
// "program: ". A log to standard output goes to report; the report then goes to errors, as it
// does when any output goes to a stream. When an output fails, nothing is reported. Returns the process status: the application's own, or 1 when a file could
// not be written or the run could not be set up.
int run_render(const RenderOptions& options, const std::string& program, std::ostream& report, std::ostream& errors);

// The whole render entry: reads the command line, then runs; never lets an exception out.
int render_entry(int argc, const char* const* argv, std::ostream& out, std::ostream& errors);

}  // namespace tavro
