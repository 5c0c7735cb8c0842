// A page builder that runs em++ itself, without the sandbox: a stand-in while the sandboxed
// one is built, so that the studio runs end to end.
#include "page_build.h"

#include <tavro/version.h>

#include <sodium.h>

#include <array>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <regex>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tavro::studio {

namespace {

constexpr auto time_limit = std::chrono::seconds(60);
constexpr std::size_t output_limit = 64 * 1024;
constexpr std::size_t page_limit = 32 << 20;

struct Finished {
    bool ended = false;  // false: killed at the time limit
    int status = -1;
    std::string output;
};

// Runs a program with its standard output and error in one pipe, keeping the first bytes.
Finished run_program(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
                     const std::filesystem::path& folder)
{
    int pipe_ends[2];
    if (pipe2(pipe_ends, O_CLOEXEC) != 0) {
        throw std::runtime_error("no pipe for the compiler");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], 1);
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], 2);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    std::vector<char*> argv, envp;
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    for (const auto& variable : environment) {
        envp.push_back(const_cast<char*>(variable.c_str()));
    }
    envp.push_back(nullptr);
    pid_t child = 0;
    int spawned = posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(pipe_ends[1]);
    Finished finished;
    if (spawned != 0) {
        close(pipe_ends[0]);
        throw std::runtime_error("cannot start " + arguments[0]);
    }
    auto deadline = std::chrono::steady_clock::now() + time_limit;
    std::array<char, 4096> buffer;
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            kill(-child, SIGKILL);
            break;
        }
        pollfd readable{pipe_ends[0], POLLIN, 0};
        if (poll(&readable, 1, static_cast<int>(left.count())) <= 0) {
            continue;
        }
        ssize_t got = read(pipe_ends[0], buffer.data(), buffer.size());
        if (got <= 0) {
            finished.ended = true;
            break;
        }
        if (finished.output.size() < output_limit) {
            finished.output.append(buffer.data(), static_cast<std::size_t>(got));
        }
    }
    close(pipe_ends[0]);
    waitpid(child, &finished.status, 0);
    return finished;
}

std::string trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

class DirectPageBuilder : public PageBuilder {
public:
    explicit DirectPageBuilder(BuildSetup setup) : setup_(std::move(setup))
    {
        environment_ = {"PATH=/usr/bin:/bin", "HOME=" + setup_.scratch.string(), "EMSDK_PYTHON=/usr/bin/python3",
                        "NODE_PATH=/usr/share/nodejs",
                        "PKG_CONFIG_PATH=" + (setup_.package_prefix / "lib/pkgconfig").string()};
        Finished flags = run_program({"pkg-config", "--cflags", "--libs", "tavro-web"}, environment_, "/");
        if (!flags.ended || flags.status != 0) {
            throw std::runtime_error("pkg-config finds no tavro-web under " + setup_.package_prefix.string());
        }
        std::istringstream words(trimmed(flags.output));
        for (std::string word; words >> word;) {
            flags_.push_back(word);
        }
    }

    std::string key(std::string_view source) const override
    {
        std::string material = std::string(TAVRO_VERSION_STRING) + '\n';
        for (const auto& flag : flags_) {
            material += flag + ' ';
        }
        material += '\n';
        material += source;
        unsigned char digest[32];
        crypto_generichash(digest, sizeof digest, reinterpret_cast<const unsigned char*>(material.data()),
                           material.size(), nullptr, 0);
        char hex[65];
        sodium_bin2hex(hex, sizeof hex, digest, sizeof digest);
        return std::string("direct-") + hex;
    }

    PageBuild build(std::string_view source, std::string_view file_name) const override
    {
        PageBuild result;
        std::string pattern = (setup_.scratch / "build-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            result.reason = "no scratch folder for the build";
            return result;
        }
        std::filesystem::path folder = pattern;
        // "./" so that a name starting with '-' is never taken for an option.
        std::string name = "./" + std::string(file_name);
        std::ofstream(folder / name, std::ios::binary) << source;
        std::vector<std::string> arguments = {"em++", "-std=c++17", name, "-o", "page.html"};
        arguments.insert(arguments.end(), flags_.begin(), flags_.end());
        Finished finished = run_program(arguments, environment_, folder);
        std::error_code error;
        if (!finished.ended) {
            result.reason = "the build took longer than 60 s";
        } else if (WIFEXITED(finished.status) && WEXITSTATUS(finished.status) == 0 &&
                   std::filesystem::file_size(folder / "page.html", error) <= page_limit && !error) {
            std::ifstream in(folder / "page.html", std::ios::binary);
            result.page.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            result.outcome = PageBuild::Outcome::built;
        } else {
            read_diagnostics(finished.output, name, std::string(file_name), result);
            if (result.outcome == PageBuild::Outcome::failed && WIFEXITED(finished.status)) {
                result.reason += " (em++ ended with status " + std::to_string(WEXITSTATUS(finished.status)) + ")";
            }
        }
        std::filesystem::remove_all(folder, error);
        return result;
    }

private:
    static void read_diagnostics(const std::string& output, const std::string& name, const std::string& shown_name,
                                 PageBuild& result)
    {
        static const std::regex line_pattern(R"(^([^:\n]+):(\d+):(\d+): (?:fatal )?error: (.*)$)");
        std::istringstream lines(output);
        for (std::string line; std::getline(lines, line);) {
            std::smatch match;
            if (std::regex_match(line, match, line_pattern) && match[1] == name) {
                result.diagnostics.push_back(Diagnostic{std::stoi(match[2]), std::stoi(match[3]), match[4]});
            }
        }
        if (!result.diagnostics.empty()) {
            result.outcome = PageBuild::Outcome::diagnostics;
        } else {
            result.reason = "the build failed without a message at a line of " + shown_name;
        }
    }

    BuildSetup setup_;
    std::vector<std::string> environment_;
    std::vector<std::string> flags_;
};

}  // namespace

std::unique_ptr<PageBuilder> make_page_builder(const BuildSetup& setup)
{
    return std::make_unique<DirectPageBuilder>(setup);
}

}  // namespace tavro::studio
