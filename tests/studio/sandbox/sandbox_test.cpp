#include "sandbox.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <random>

namespace tavro::studio {
namespace {

namespace fs = std::filesystem;

// A fresh folder of the host, removed with the test.
class TempFolder {
public:
    TempFolder()
    {
        std::random_device random;
        path_ = fs::temp_directory_path() / ("studio-sandbox-test-" + std::to_string(random()));
        fs::create_directories(path_);
    }
    ~TempFolder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

SandboxResult run_shell(const std::string& script, const Limits& limits, const fs::path& work)
{
    SandboxCommand command;
    command.argv = {"/bin/sh", "-c", script};
    command.work = work;
    command.limits = limits;
    command.environment = {{"PATH", "/usr/bin:/bin"}};
    return run_sandboxed(command);
}

Limits small_limits()
{
    Limits limits = build_limits;
    limits.cpu_seconds = 1;
    limits.wall_seconds = 20;
    limits.memory = 100 * mebibytes;
    limits.processes = 8;
    limits.file_size = mebibytes;
    limits.output = 1000;
    limits.work = 4 * mebibytes;
    return limits;
}

struct LimitCase {
    const char* name;
    const char* script;
    Limit limit;
    const char* line;
};

TEST(Sandbox, EachLimitPassedEndsTheJobWithItsOwnLine)
{
    Limits limits = small_limits();
    const LimitCase cases[] = {
        {"cpu", "while :; do :; done", Limit::cpu_time, "the build used more than 1 s of CPU time"},
        {"output", "yes", Limit::output, "the build printed more than 1000 bytes"},
        {"file size", "yes | head -c 2000000 > big", Limit::file_size, "the build wrote a file larger than 1 MiB"},
        {"work folder", "i=0; while :; do yes | head -c 500000 > f$i; i=$((i+1)); done", Limit::work_folder,
         "the build wrote more than 4 MiB into its work folder"},
        {"many empty files", "i=0; while :; do : > e$i; i=$((i+1)); done", Limit::work_folder,
         "the build wrote more than 4 MiB into its work folder"},
        {"memory", "python3 -c 'bytearray(300 * 1000 * 1000)'", Limit::memory,
         "the build needed more than 100 MiB of memory"},
    };
    for (const LimitCase& test : cases) {
        TempFolder work;
        // Only the CPU case may end on CPU time: on a loaded machine the work folder is measured
        // late, and a tight loop would otherwise reach 1 s first.
        Limits case_limits = limits;
        if (test.limit != Limit::cpu_time) {
            case_limits.cpu_seconds = 10;
        }
        const SandboxResult result = run_shell(test.script, case_limits, work.path());
        EXPECT_EQ(result.ending, SandboxResult::Ending::limit) << test.name << ": " << result.output;
        EXPECT_EQ(result.limit, test.limit) << test.name;
        EXPECT_EQ(result.reason, test.line) << test.name;
    }
    limits.wall_seconds = 1;
    TempFolder work;
    const SandboxResult sleeper = run_shell("sleep 60 >/dev/null 2>&1 & exec sleep 60", limits, work.path());
    EXPECT_EQ(sleeper.reason, "the build did not end within 1 s");
}

TEST(Sandbox, ATooManyProcessesFailsToForkAndTheCallerGoesOn)
{
    TempFolder work;
    const SandboxResult result =
        run_shell("n=0; while [ $n -lt 40 ]; do sleep 5 & n=$((n+1)); done; echo done", small_limits(), work.path());
    EXPECT_NE(result.output.find("fork"), std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("done"), std::string::npos);
}

TEST(Sandbox, StatusesAndSignalsComeBackAsTheToolEnded)
{
    TempFolder work;
    const SandboxResult exited = run_shell("echo hi; exit 3", build_limits, work.path());
    EXPECT_EQ(exited.ending, SandboxResult::Ending::exited);
    EXPECT_EQ(exited.status, 3);
    EXPECT_EQ(exited.output, "hi\n");
    const SandboxResult crashed = run_shell("kill -SEGV $$", build_limits, work.path());
    EXPECT_EQ(crashed.ending, SandboxResult::Ending::signalled);
    EXPECT_EQ(crashed.status, 11);
}

struct HiddenCase {
    const char* what;
    std::string script;
};

TEST(Sandbox, TheToolSeesNothingOfTheMachineButUsrAndItsWorkFolder)
{
    TempFolder data;
    std::ofstream(data.path() / "studio.sqlite") << "secret";
    // An open descriptor of the server's, such as a client's socket, must not reach the tool.
    const int leaked = ::open((data.path() / "studio.sqlite").c_str(), O_RDONLY);
    ASSERT_GE(leaked, 0);
    const HiddenCase cases[] = {
        {"/etc", "cat /etc/passwd"},
        {"/home", "ls /home"},
        {"devices", "head -c 10 /dev/urandom"},
        {"the data folder", "cat " + (data.path() / "studio.sqlite").string()},
        {"a descriptor", "cat /proc/self/fd/" + std::to_string(leaked)},
        {"/usr is read-only", "touch /usr/written"},
        {"the network", "python3 -c \"import socket; socket.create_connection(('127.0.0.1', 22), 2)\""},
    };
    for (const HiddenCase& test : cases) {
        TempFolder work;
        const SandboxResult result = run_shell(test.script, build_limits, work.path());
        EXPECT_FALSE(result.succeeded()) << test.what << ": " << result.output;
        EXPECT_EQ(result.output.find("secret"), std::string::npos) << test.what;
    }
    ::close(leaked);

    TempFolder work;
    const SandboxResult written =
        run_shell("echo made > out.txt && ls /proc | grep -c '^[0-9]'", build_limits, work.path());
    ASSERT_TRUE(written.succeeded()) << written.output;
    EXPECT_LE(std::stoi(written.output), 4) << "the machine's other processes are hidden";
    std::ifstream made(work.path() / "out.txt");
    std::string line;
    std::getline(made, line);
    EXPECT_EQ(line, "made");
}

TEST(Sandbox, ACommandThatCannotStartIsRefusedInOneLine)
{
    TempFolder work;
    SandboxCommand command;
    command.work = work.path();
    EXPECT_EQ(run_sandboxed(command).ending, SandboxResult::Ending::refused);
    command.argv = {"/usr/bin/no-such-tool"};
    const SandboxResult result = run_sandboxed(command);
    EXPECT_FALSE(result.succeeded());
    EXPECT_EQ(result.output.find('\n'), result.output.size() - 1) << result.output;
}

}  // namespace
}  // namespace tavro::studio
