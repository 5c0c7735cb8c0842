#include "sandbox.h"

#include <algorithm>
#include <system_error>

namespace tavro::studio {

namespace {

namespace fs = std::filesystem;

// The top-level folders a tool's programs and libraries are found through. On a merged /usr they
// are links into it, made again inside; otherwise they are bound read-only.
constexpr const char* system_folders[] = {"/bin", "/sbin", "/lib", "/lib32", "/lib64", "/libx32"};

bool inside(const fs::path& path, const fs::path& folder)
{
    auto [end, rest] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return end == folder.end();
}

void add(std::vector<std::string>& arguments, std::initializer_list<std::string> words)
{
    arguments.insert(arguments.end(), words);
}

}  // namespace

std::vector<std::string> sandbox_arguments(const SandboxCommand& command)
{
    const Limits& limits = command.limits;
    std::vector<std::string> arguments{"/usr/bin/bwrap", "--unshare-all", "--die-with-parent", "--new-session"};
    // /tmp first: a folder bound below it must not be hidden by it.
    add(arguments, {"--size", std::to_string(limits.scratch), "--tmpfs", "/tmp"});
    add(arguments, {"--ro-bind", "/usr", "/usr"});
    for (const char* folder : system_folders) {
        std::error_code error;
        const auto status = fs::symlink_status(folder, error);
        if (error || !fs::exists(status)) {
            continue;
        }
        if (fs::is_symlink(status)) {
            add(arguments, {"--symlink", fs::read_symlink(folder, error).string(), folder});
        } else {
            add(arguments, {"--ro-bind", folder, folder});
        }
    }
    for (const fs::path& folder : command.read_only) {
        std::error_code error;
        const fs::path real = fs::canonical(folder, error);
        if (!error && !inside(real, "/usr")) {
            add(arguments, {"--ro-bind", real.string(), real.string()});
        }
    }
    add(arguments, {"--bind", fs::absolute(command.work).string(), sandbox_work, "--chdir", sandbox_work});
    // Of the devices only /dev/null: an include of /dev/random or /dev/zero finds nothing to read.
    add(arguments, {"--dev-bind", "/dev/null", "/dev/null", "--symlink", "/proc/self/fd", "/dev/fd"});
    add(arguments, {"--proc", "/proc", "--clearenv"});
    for (const auto& [name, value] : command.environment) {
        add(arguments, {"--setenv", name, value});
    }
    // The limits are set inside: a process limit set before bwrap would count every process of
    // the user outside the sandbox too.
    const std::string cpu = std::to_string(limits.cpu_seconds);
    add(arguments, {"/usr/bin/prlimit", "--cpu=" + cpu + ":" + std::to_string(limits.cpu_seconds + 1),
                    "--data=" + std::to_string(limits.memory), "--nproc=" + std::to_string(limits.processes),
                    "--fsize=" + std::to_string(limits.file_size), "--core=0", "--"});
    arguments.insert(arguments.end(), command.argv.begin(), command.argv.end());
    return arguments;
}

}  // namespace tavro::studio
