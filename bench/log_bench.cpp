// A logged city run beside its unlogged twin, and the heap allocations of both.
//
// The run: a script that adds cars, places every figure and plants every tree the city allows,
// then lets the timer tick, each run in a child process. Each case runs it with RUN_TICKS and with twice as many ticks; the
// difference is what the steady ticks cost, without the start-up both share. Each of the four runs is
// made RUNS_EACH times, taking turns, and its least CPU time is kept: on a shared machine a single
// run's time moves by more than the log costs. The counters:
// CPU time per steady tick, heap allocations per steady tick (malloc, calloc and realloc,
// which operator new calls too, so the C libraries' allocations count as well) and, for the
// logged run, log lines and allocations per logged line beyond the unlogged run's.
#include "render/render_run.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace tavro;

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* memory, std::size_t size);
}

namespace {

long long allocations = 0;

}  // namespace

// Every heap allocation of the process passes here, the libraries' ones included.
extern "C" void* malloc(std::size_t size)
{
    ++allocations;
    return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t count, std::size_t size)
{
    ++allocations;
    return __libc_calloc(count, size);
}
extern "C" void* realloc(void* memory, std::size_t size)
{
    ++allocations;
    return __libc_realloc(memory, size);
}

namespace {

constexpr long long RUN_TICKS = 1500;
constexpr int RUNS_EACH = 3;

class Scratch {
public:
    Scratch()
    {
        char name[] = "/tmp/log_bench.XXXXXX";
        directory_ = mkdtemp(name) != nullptr ? name : "/tmp";
        std::ofstream script(script_path());
        for (int i = 0; i < 11; ++i) {
            script << "TAVRO_MOUSE(-275, -231);\n";  // more cars
        }
        for (int i = 0; i < 10; ++i) {
            script << "TAVRO_MOUSE(" << 140 + 15 * i << ", " << 50 + 19 * i << ");\n";  // a figure
        }
        for (int i = 0; i < 16; ++i) {
            script << "TAVRO_MOUSE(-" << 290 - (i % 2) * 10 << ", " << -140 + 24 * i << ");\n";  // a tree
        }
        script << "TAVRO_PERIODIC(" << 2 * RUN_TICKS << ");\n";
    }
    ~Scratch()
    {
        std::remove(script_path().c_str());
        std::remove(log_path().c_str());
        rmdir(directory_.c_str());
    }
    std::string script_path() const { return directory_ + "/run.scr"; }
    std::string log_path() const { return directory_ + "/run.log"; }

private:
    std::string directory_;
};

struct RunCost {
    double cpu_seconds = 0;
    long long allocations = 0;
    long long log_lines = 0;
};

double cpu_seconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

long long count_lines(const std::string& path)
{
    std::ifstream file(path);
    long long lines = 0;
    for (std::string line; std::getline(file, line);) {
        ++lines;
    }
    return lines;
}

// One run in a child process of its own: a process holds one display, and each run needs a
// fresh one. The child measures itself and hands its figures back through a pipe.
RunCost run_city(const Scratch& scratch, long long ticks, bool logged)
{
    int channel[2];
    if (pipe(channel) != 0) {
        std::abort();
    }
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        RenderOptions options;
        options.ticks = ticks;
        options.start_time = 1700000100;
        options.script = scratch.script_path();
        if (logged) {
            options.log = scratch.log_path();
        }
        std::ostringstream report;
        std::ostringstream errors;
        RunCost cost;
        const long long allocations_before = allocations;
        const double start = cpu_seconds();
        const int status = run_render(options, "city-render", report, errors);
        cost.cpu_seconds = cpu_seconds() - start;
        cost.allocations = allocations - allocations_before;
        cost.log_lines = logged ? count_lines(scratch.log_path()) : 0;
        const bool sent = write(channel[1], &cost, sizeof cost) == static_cast<ssize_t>(sizeof cost);
        _exit(status == 0 && sent ? 0 : 1);
    }
    close(channel[1]);
    RunCost cost;
    const bool received = read(channel[0], &cost, sizeof cost) == static_cast<ssize_t>(sizeof cost);
    close(channel[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        !received) {
        std::abort();  // the benchmark's own run failed: its figures would mean nothing
    }
    return cost;
}

// The run of the least CPU time; the counts are the same in every run.
void keep_least(RunCost& least, const RunCost& run)
{
    if (least.cpu_seconds == 0 || run.cpu_seconds < least.cpu_seconds) {
        least = run;
    }
}

// The steady ticks' share: a run of 2 n ticks less a run of n.
RunCost steady(const RunCost& shorter, const RunCost& longer)
{
    return RunCost{longer.cpu_seconds - shorter.cpu_seconds, longer.allocations - shorter.allocations,
                   longer.log_lines - shorter.log_lines};
}

// All four runs taking turns in each iteration, so that their ratio is read from one moment.
void logged_and_unlogged_run(benchmark::State& state)
{
    const Scratch scratch;
    RunCost unlogged;
    RunCost logged;
    for (auto _ : state) {
        RunCost runs[2][2];  // [logged][longer]
        for (int round = 0; round < RUNS_EACH; ++round) {
            for (const bool with_log : {false, true}) {
                for (const bool longer : {false, true}) {
                    keep_least(runs[with_log][longer], run_city(scratch, longer ? 2 * RUN_TICKS : RUN_TICKS, with_log));
                }
            }
        }
        const RunCost plain = steady(runs[0][0], runs[0][1]);
        const RunCost with_log = steady(runs[1][0], runs[1][1]);
        unlogged.cpu_seconds += plain.cpu_seconds;
        unlogged.allocations += plain.allocations;
        logged.cpu_seconds += with_log.cpu_seconds;
        logged.allocations += with_log.allocations;
        logged.log_lines += with_log.log_lines;
    }
    const double runs = static_cast<double>(state.iterations());
    const double ticks = runs * RUN_TICKS;
    state.counters["unlogged_us_per_tick"] = unlogged.cpu_seconds / ticks * 1e6;
    state.counters["logged_us_per_tick"] = logged.cpu_seconds / ticks * 1e6;
    state.counters["logged_over_unlogged"] = logged.cpu_seconds / unlogged.cpu_seconds;
    state.counters["lines_per_tick"] = static_cast<double>(logged.log_lines) / ticks;
    state.counters["allocs_per_tick"] = static_cast<double>(unlogged.allocations) / ticks;
    state.counters["allocs_per_logged_line"] =
        static_cast<double>(logged.allocations - unlogged.allocations) / static_cast<double>(logged.log_lines);
}
BENCHMARK(logged_and_unlogged_run)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
