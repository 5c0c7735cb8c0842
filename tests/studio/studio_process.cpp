#include "studio_process.h"
#include "test_support.h"

#include <csignal>
#include <filesystem>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

pid_t spawn_studio(const std::vector<std::string>& arguments, int out, int err)
{
    std::vector<std::string> all = {STUDIO_PROGRAM};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : all) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out, 1);
    posix_spawn_file_actions_adddup2(&actions, err, 2);
    pid_t pid = -1;
    int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) {
        throw std::runtime_error("cannot start " + all[0]);
    }
    return pid;
}

struct Pipe {
    int ends[2];
    Pipe()
    {
        if (pipe2(ends, O_CLOEXEC) != 0) {
            throw std::runtime_error("no pipe");
        }
    }
    ~Pipe()
    {
        close(ends[0]);
        close(ends[1]);
    }
    void close_writing()
    {
        close(ends[1]);
        ends[1] = -1;
    }
};

}  // namespace

Finished run_studio(const std::vector<std::string>& arguments)
{
    Pipe out, err;
    pid_t pid = spawn_studio(arguments, out.ends[1], err.ends[1]);
    out.close_writing();
    err.close_writing();
    Finished finished;
    pollfd both[2] = {{out.ends[0], POLLIN, 0}, {err.ends[0], POLLIN, 0}};
    std::string* texts[2] = {&finished.out, &finished.err};
    for (int open = 2; open > 0;) {
        poll(both, 2, -1);
        for (int i = 0; i < 2; ++i) {
            if (both[i].fd >= 0 && both[i].revents) {
                char buffer[4096];
                ssize_t got = read(both[i].fd, buffer, sizeof buffer);
                if (got <= 0) {
                    both[i].fd = -1;
                    --open;
                } else {
                    texts[i]->append(buffer, static_cast<std::size_t>(got));
                }
            }
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    finished.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return finished;
}

StudioChild::StudioChild(const std::vector<std::string>& arguments, const std::string& first_words)
{
    Pipe out;
    pid_ = spawn_studio(arguments, out.ends[1], 2);
    out.close_writing();
    char byte;
    while (first_line_.find('\n') == std::string::npos && read(out.ends[0], &byte, 1) == 1) {
        first_line_ += byte;
    }
    if (first_line_.rfind(first_words, 0) != 0) {
        kill_now();
        throw std::runtime_error("tavro-studio " + arguments.at(0) + " said: " + first_line_);
    }
}

StudioChild::~StudioChild() { kill_now(); }

void StudioChild::kill_now()
{
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

void StudioChild::signal(int number) { kill(pid_, number); }

int StudioChild::terminate()
{
    int status = 0;
    kill(pid_, SIGTERM);
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

namespace {

std::vector<std::string> serve_with(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "serve");
    return arguments;
}

}  // namespace

ServingStudio::ServingStudio(std::vector<std::string> arguments)
    : StudioChild(serve_with(std::move(arguments)), "serving http://")
{
    port_ = std::stoi(first_line().substr(first_line().rfind(':') + 1));
}

std::string fake_package_prefix(const std::string& folder)
{
    std::filesystem::create_directories(folder + "/lib/pkgconfig");
    write_file(folder + "/lib/pkgconfig/tavro-web.pc",
               "Name: tavro-web\nDescription: none\nVersion: 1.0.0\nCflags: -I/nowhere\nLibs: -lnothing\n");
    return folder;
}
