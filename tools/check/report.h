// tavro-check --report: gathers the verdicts the checks' runs left under some folders into
// one page.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tavro {

// Writes the page of every NAME.verdict found under the folders (recursively) to path,
// through a temporary file renamed into place. Status 0 when written, 1 when it cannot be,
// 2 for a folder that cannot be read, an output that is a folder, a device or an input, or
// when no verdict is found.
int write_report(const std::string& path, const std::vector<std::string>& folders, std::ostream& out,
                 std::ostream& err);

}  // namespace tavro
