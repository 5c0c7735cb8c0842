// One headless run of the application, written out as pictures and a log.
#pragma once

#include "render_options.h"

#include <ostream>

// Runs the application's main routine over the headless host as the options say.
// Returns the process status: 0 on success, 1 when an output could not be written.
int run_city_render(const RenderOptions& options, std::ostream& report);
