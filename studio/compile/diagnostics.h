// The compiler's messages as the student sees them: at lines of their own file, with no path of
// the machine in them.
#pragma once

#include "page_build.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavro::studio {

// Clang's messages (without carets) about file_name. An error inside a header is shown at the
// line of the student's file that led to it ("in <vector>: ..."); notes at the student's lines
// are kept, those inside headers are not.
std::vector<Diagnostic> parse_diagnostics(std::string_view output, std::string_view file_name);

// A line with every path under one of the folders replaced by its last part: "<vector>".
std::string without_paths(std::string line, const std::vector<std::string>& folders);

}  // namespace tavro::studio
