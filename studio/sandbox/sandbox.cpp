#include "sandbox.h"
#include "unique_fd.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace tavro::studio {

namespace {

// Who runs the tool when the server runs as root: root's processes pass every process limit.
constexpr uid_t unprivileged_user = 65534;
constexpr int exec_failure_status = 127;

struct Pipe {
    UniqueFd read;
    UniqueFd write;
};

bool make_pipe(Pipe& pipe)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return false;
    }
    pipe.read = UniqueFd(ends[0]);
    pipe.write = UniqueFd(ends[1]);
    return true;
}

SandboxResult refused(std::string reason)
{
    SandboxResult result;
    result.ending = SandboxResult::Ending::refused;
    result.reason = std::move(reason);
    return result;
}

// Only async-signal-safe calls: the server has other threads.
[[noreturn]] void exec_in_child(char* const* arguments, int null_input, int output, int failure, bool drop_root)
{
    ::setsid();
    if (::dup2(null_input, 0) < 0 || ::dup2(output, 1) < 0 || ::dup2(output, 2) < 0 ||
        ::dup3(failure, 3, O_CLOEXEC) < 0) {
        ::_exit(exec_failure_status);
    }
    // Nothing else the server has open (sockets, the database) reaches the sandbox.
    ::close_range(4, ~0U, 0);
    if (drop_root &&
        (::setgroups(0, nullptr) != 0 || ::setgid(unprivileged_user) != 0 || ::setuid(unprivileged_user) != 0)) {
        const int error = errno;
        (void)!::write(3, &error, sizeof error);
        ::_exit(exec_failure_status);
    }
    ::execv(arguments[0], arguments);
    const int error = errno;
    (void)!::write(3, &error, sizeof error);
    ::_exit(exec_failure_status);
}

bool mentions_memory(const std::string& output)
{
    std::string lower(output);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.find("out of memory") != std::string::npos || lower.find("bad_alloc") != std::string::npos ||
           lower.find("cannot allocate memory") != std::string::npos || lower.find("memoryerror") != std::string::npos;
}

// What ended the tool, from bwrap's status (bwrap exits with 128 + N when its tool died of signal N).
void classify(SandboxResult& result, int wait_status, const Limits& limits)
{
    if (!WIFEXITED(wait_status)) {
        result.ending = SandboxResult::Ending::signalled;
        result.status = WTERMSIG(wait_status);
        return;
    }
    const int code = WEXITSTATUS(wait_status);
    const int signal = code > 128 && code < 128 + 65 ? code - 128 : 0;
    if (signal == SIGXCPU || (signal == SIGKILL && result.cpu_seconds >= limits.cpu_seconds)) {
        result.limit = Limit::cpu_time;
    } else if (signal == SIGXFSZ) {
        result.limit = Limit::file_size;
    } else if (code != 0 && mentions_memory(result.output)) {
        result.limit = Limit::memory;
    } else if (code == 1 && result.output.rfind("bwrap: ", 0) == 0) {
        result.ending = SandboxResult::Ending::refused;
        result.reason = "the sandbox refused to start: " + result.output.substr(0, result.output.find('\n'));
        return;
    } else if (signal != 0) {
        result.ending = SandboxResult::Ending::signalled;
        result.status = signal;
        return;
    } else {
        result.ending = SandboxResult::Ending::exited;
        result.status = code;
        return;
    }
    result.ending = SandboxResult::Ending::limit;
}

// What a work folder holds, each file or folder counted as a block at least, so that many empty
// files count too; links are not followed.
std::int64_t work_folder_size(const std::filesystem::path& work)
{
    constexpr std::int64_t block = 4096;
    std::int64_t total = 0;
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator it(work, error), end; !error && it != end; it.increment(error)) {
        std::error_code size_error;
        const auto size = it->is_regular_file(size_error) ? it->file_size(size_error) : 0;
        total += std::max<std::int64_t>(block, size_error ? 0 : static_cast<std::int64_t>(size));
    }
    return total;
}

// Kills bwrap's process group; the tool's own processes die with bwrap (--die-with-parent and the
// end of their process namespace). Each holds the output's write end, so its end is awaited
// (briefly) before the caller goes on to the work folder they may still be writing into.
void end_sandbox(int output, pid_t group)
{
    ::kill(-group, SIGKILL);
    char block[16384];
    pollfd wanted{output, POLLIN, 0};
    for (int turn = 0; turn < 200; ++turn) {
        if (::poll(&wanted, 1, 10) <= 0) {
            continue;
        }
        const ssize_t count = ::read(output, block, sizeof block);
        if (count == 0 || (count < 0 && errno != EINTR)) {
            return;
        }
    }
}

// Reads the output until the tool ends, the output or the work folder passes its bound or the
// time is up; on any of those the whole process group is killed. The work folder lies on the
// server's disk: it is measured every 100 ms, so a tool writing fast passes its bound by what it
// writes in that time at most, and no file is larger than the file size limit. A tool that closes its output keeps the
// clock running: the wait is on the process too.
Limit collect_output(int output, pid_t group, const Limits& limits, const std::filesystem::path& work,
                     std::string& captured)
{
    constexpr auto work_check_every = std::chrono::milliseconds(100);
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::seconds(limits.wall_seconds);
    UniqueFd process(static_cast<int>(::syscall(SYS_pidfd_open, group, 0)));
    bool output_open = true;
    char block[16384];
    auto next_work_check = clock::now() + work_check_every;
    for (;;) {
        const auto now = clock::now();
        if (now >= deadline) {
            end_sandbox(output, group);
            return Limit::wall_time;
        }
        if (limits.work > 0 && now >= next_work_check) {
            next_work_check = now + work_check_every;
            if (work_folder_size(work) > limits.work) {
                end_sandbox(output, group);
                return Limit::work_folder;
            }
        }
        const auto wake = std::min(deadline, next_work_check);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(wake - now).count() + 1;
        pollfd wanted = output_open ? pollfd{output, POLLIN, 0} : pollfd{process.get(), POLLIN, 0};
        const int ready = ::poll(&wanted, 1, static_cast<int>(left));
        if (ready <= 0) {
            continue;
        }
        if (!output_open) {
            return Limit::none;
        }
        const ssize_t count = ::read(output, block, sizeof block);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            if (process.get() < 0) {
                return Limit::none;
            }
            output_open = false;
            continue;
        }
        const auto room = static_cast<std::size_t>(limits.output) - captured.size();
        captured.append(block, std::min(room, static_cast<std::size_t>(count)));
        if (static_cast<std::size_t>(count) > room) {
            end_sandbox(output, group);
            return Limit::output;
        }
    }
}

}  // namespace

SandboxResult run_sandboxed(const SandboxCommand& command)
{
    if (command.argv.empty()) {
        return refused("the sandbox was given no command");
    }
    const bool drop_root = ::geteuid() == 0;
    if (drop_root && ::chown(command.work.c_str(), unprivileged_user, unprivileged_user) != 0) {
        return refused("the sandbox could not prepare its work folder: " + std::string(std::strerror(errno)));
    }
    std::vector<std::string> words = sandbox_arguments(command);
    std::vector<char*> arguments;
    for (std::string& word : words) {
        arguments.push_back(word.data());
    }
    arguments.push_back(nullptr);

    Pipe output;
    Pipe failure;
    UniqueFd null_input(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    if (!make_pipe(output) || !make_pipe(failure) || null_input.get() < 0) {
        return refused("the sandbox could not start: " + std::string(std::strerror(errno)));
    }
    const pid_t child = ::fork();
    if (child < 0) {
        return refused("the sandbox could not start: " + std::string(std::strerror(errno)));
    }
    if (child == 0) {
        exec_in_child(arguments.data(), null_input.get(), output.write.get(), failure.write.get(), drop_root);
    }
    output.write.reset();
    failure.write.reset();

    SandboxResult result;
    const Limit passed = collect_output(output.read.get(), child, command.limits, command.work, result.output);
    int wait_status = 0;
    rusage usage{};
    while (::wait4(child, &wait_status, 0, &usage) < 0 && errno == EINTR) {
    }
    result.cpu_seconds =
        usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    result.peak_memory_kib = usage.ru_maxrss;

    int exec_error = 0;
    if (::read(failure.read.get(), &exec_error, sizeof exec_error) == sizeof exec_error) {
        return refused("the sandbox could not start bwrap: " + std::string(std::strerror(exec_error)));
    }
    if (passed != Limit::none) {
        result.ending = SandboxResult::Ending::limit;
        result.limit = passed;
    } else {
        classify(result, wait_status, command.limits);
    }
    if (result.ending == SandboxResult::Ending::limit) {
        result.reason = limit_line(result.limit, command.limits, command.what);
    }
    return result;
}

}  // namespace tavro::studio
