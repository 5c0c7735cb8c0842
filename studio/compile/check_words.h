// The CTest check's words for a run's ending and for tavro-check's report, and the lines that
// report shows: the studio reads the installed tools' outputs as the check's script does.
#pragma once

#include "check_build.h"
#include "sandbox.h"

#include <optional>
#include <string>
#include <vector>

namespace tavro::studio {

// The reason a render entry's run failed, or nothing when it ended with status 0.
std::optional<std::string> run_failure_reason(const SandboxResult& run);

// The reason for tavro-check's status and report, as the check words it.
std::string comparison_reason(const SandboxResult& compare);

// The "line N, expected: ..." / "line N, actual: ..." pairs of tavro-check's report.
std::vector<DifferingLine> differing_lines(const std::string& report);

}  // namespace tavro::studio
