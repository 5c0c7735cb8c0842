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

std::string read_file(const std::string& path);
// Read as a text file: the platform's line ends (CR LF on Windows) come back as '\n'.
std::string read_text_file(const std::string& path);
void write_file(const std::string& path, const std::string& contents);
bool file_exists(const std::string& path);
