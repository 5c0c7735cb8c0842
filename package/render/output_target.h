// Where the name of an output leads. A regular file (or none yet) is replaced whole by a
// complete one, and a name that is a link leads through it to its target, which is replaced
// while the link stays. Anything else that exists (a pipe, a terminal, a device; on Windows also
// NUL, CON or \\.\pipe\NAME) is a stream, written straight into as the run goes.
#pragma once

#include <optional>
#include <string>

namespace tavro {

struct OutputTarget {
    enum class Kind { file, stream };
    Kind kind = Kind::file;
    // file: the path at the end of the name's links; stream: the name itself.
    std::string path;
};

// On a problem (a folder, a loop of links) returns nothing and sets problem to the reason.
std::optional<OutputTarget> output_target(const std::string& name, std::string& problem);

// Whether the two names lead to one file: the same file through links or another name, or, for
// names not made yet, the same place once their links are followed.
bool same_file(const std::string& a, const std::string& b);

}  // namespace tavro
