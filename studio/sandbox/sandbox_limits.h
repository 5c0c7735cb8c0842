// The bounds of every tool the studio runs for a student: the one place they are written, and
// the values the docs quote.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavro::studio {

struct Limits {
    int cpu_seconds = 0;         // CPU time of each process (RLIMIT_CPU)
    int wall_seconds = 0;        // the whole run, then its processes are killed
    std::int64_t memory = 0;     // heap and other private writable memory of each process (RLIMIT_DATA)
    int processes = 0;           // processes and threads at once in the sandbox (RLIMIT_NPROC)
    std::int64_t file_size = 0;  // each file written (RLIMIT_FSIZE)
    std::int64_t output = 0;     // standard output and error together, as captured
    std::int64_t scratch = 0;    // the sandbox's /tmp (a memory file system of this size)
    std::int64_t work = 0;       // all the work folder holds, each file or folder counted as 4 KiB at least
};

constexpr std::int64_t mebibytes = 1024 * 1024;

// A compiler, linker or optimiser building a page or a check's program. The memory is per process
// and counts no address space reserved unused (node reserves tens of GiB for WebAssembly).
constexpr Limits build_limits{
    20, 30, 1024 * mebibytes, 64, 64 * mebibytes, 256 * 1024, 64 * mebibytes, 256 * mebibytes};

// A student's program run by its render entry for a check: the check's own time limit (30 s)
// and a bit over its transcript bound (64 MiB) per file.
constexpr Limits run_limits{30, 35, 512 * mebibytes, 32, 72 * mebibytes, 64 * 1024, 16 * mebibytes, 160 * mebibytes};

// tavro-check comparing two transcripts and pictures (its work folder holds both, each up to the
// transcript bound).
constexpr Limits compare_limits{20, 30, 512 * mebibytes, 8, 16 * mebibytes, 64 * 1024, 16 * mebibytes, 200 * mebibytes};

enum class Limit { none, cpu_time, wall_time, memory, file_size, output, work_folder };

// One line naming the limit passed: "the build used more than 20 s of CPU time".
// what names the job: "the build", "the program".
std::string limit_line(Limit limit, const Limits& limits, std::string_view what);

}  // namespace tavro::studio

namespace tavro::studio {

// The memory a page's program may ask for before it runs (its static data): a 1 GiB array is
// refused at build time rather than left for the viewer's browser to fail on.
constexpr std::int64_t page_start_memory = 256 * mebibytes;

}  // namespace tavro::studio
