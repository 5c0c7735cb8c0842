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

// `tavro-studio serve ...` until destroyed (SIGKILL) or killed; port() is the one it serves.
class ServingStudio {
public:
    explicit ServingStudio(std::vector<std::string> arguments);
    ~ServingStudio();
    ServingStudio(const ServingStudio&) = delete;
    ServingStudio& operator=(const ServingStudio&) = delete;

    int port() const { return port_; }
    void kill_now();

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

// A prefix that looks like an installed package to `serve --package`.
std::string fake_package_prefix(const std::string& folder);
