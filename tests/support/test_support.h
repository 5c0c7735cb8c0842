// Shared helpers for the tests.
#pragma once

#include <string>
#include <vector>

// A fresh directory under the system's temporary directory that is the current directory for the helper's
// lifetime, so that tests writing "TAVRO.SCR" never meet each other's files.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string previous_;
};

// A file of the source tree, found through TAVRO_SOURCE_DIR.
std::string source_path(const std::string& relative);
// A path the build gave (a program, the source tree) as the system names it: under Wine a Linux
// path is on drive Z:, which also holds when the current folder is on another drive.
std::string native_path(const std::string& path);
// Runs command with std::system (sh, or cmd on Windows) and returns its exit status; -1 when it
// did not exit.
int shell_status(const std::string& command);

std::string read_file(const std::string& path);
// Read as a text file: the platform's line ends (CR LF on Windows) come back as '\n'.
std::string read_text_file(const std::string& path);
void write_file(const std::string& path, const std::string& contents);
bool file_exists(const std::string& path);
