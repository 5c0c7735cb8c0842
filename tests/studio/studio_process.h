// tavro-studio run as a child process, its output read through pipes.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

struct Finished {
    int status = -1;  // the exit status, -1 when it did not exit
    std::string out;
    std::string err;
};

// Runs tavro-studio with these arguments to its end.
Finished run_studio(const std::vector<std::string>& arguments);

// tavro-studio running until destroyed (SIGKILL) or killed, started once it has said its first
// line on standard output, which begins as given.
class StudioChild {
public:
    StudioChild(const std::vector<std::string>& arguments, const std::string& first_words);
    ~StudioChild();
    StudioChild(const StudioChild&) = delete;
    StudioChild& operator=(const StudioChild&) = delete;

    const std::string& first_line() const { return first_line_; }
    pid_t pid() const { return pid_; }
    void kill_now();
    void signal(int number);
    // SIGTERM, and the exit status (-1: it did not exit by itself).
    int terminate();

private:
    pid_t pid_ = -1;
    std::string first_line_;
};

// `tavro-studio serve ...`; port() is the one it serves.
class ServingStudio : public StudioChild {
public:
    explicit ServingStudio(std::vector<std::string> arguments);
    int port() const { return port_; }

private:
    int port_ = 0;
};

// A prefix that looks like an installed package to `serve --package`.
std::string fake_package_prefix(const std::string& folder);
