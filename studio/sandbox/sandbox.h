// Runs one tool under bubblewrap with limits: read-only /usr and the given folders, a fresh work
// folder as the only writable place, /dev/null alone of the devices, no network, private process,
// IPC and host namespaces, and nothing else of the machine.
#pragma once

#include "sandbox_limits.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace tavro::studio {

// Where the work folder is inside the sandbox; tools run there.
inline constexpr const char* sandbox_work = "/build";

struct SandboxCommand {
    std::vector<std::string> argv;  // argv[0]: the tool's path inside the sandbox
    std::filesystem::path work;     // an existing folder of the host, seen as sandbox_work
    // Host folders seen read-only at the same path (the package's prefix when outside /usr).
    std::vector<std::filesystem::path> read_only;
    std::vector<std::pair<std::string, std::string>> environment;  // the tool's whole environment
    Limits limits = build_limits;
    std::string what = "the build";  // names the job in a limit's line
};

struct SandboxResult {
    enum class Ending { exited, signalled, limit, refused };
    Ending ending = Ending::refused;
    int status = 0;  // exited: the exit status; signalled: the signal
    Limit limit = Limit::none;
    std::string reason;        // limit or refused: one line
    std::string output;        // standard output and error as they came, at most limits.output
    double cpu_seconds = 0;    // user and system time of all its processes
    long peak_memory_kib = 0;  // the largest resident size of one of them

    bool succeeded() const { return ending == Ending::exited && status == 0; }
};

// Blocking; safe to call from several threads at once. When this process runs as root, the tool
// runs as the unprivileged user 65534 and the work folder is given to that user.
SandboxResult run_sandboxed(const SandboxCommand& command);

// bwrap's arguments for a command (the limits are applied inside by prlimit). Exposed for tests.
std::vector<std::string> sandbox_arguments(const SandboxCommand& command);

}  // namespace tavro::studio
