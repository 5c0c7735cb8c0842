// tavro-check's command line, run apart from the process so the tests can call it: compares a
// run's transcript and last frame with the references, or writes the class report.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tavro {

enum CheckStatus { SAME = 0, DIFFERENT = 1, BAD_INPUT = 2 };

// The arguments without the program's name; the output goes to out, problems to err. The
// status: SAME when everything compared matches (or the report is written), DIFFERENT when
// anything differs (or the report cannot be written), BAD_INPUT for a bad argument or a file
// that cannot be read.
int run_check(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tavro
