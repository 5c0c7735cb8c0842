#include "test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#ifndef _WIN32
#include <sys/wait.h>
#endif

TempDirectory::TempDirectory()
{
    previous_ = std::filesystem::current_path().string();
    // A name nobody has taken: create_directory fails on one that exists.
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const auto candidate = std::filesystem::temp_directory_path() / ("tavro-test-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            path_ = candidate.string();
        }
    }
    if (path_.empty()) {
        throw std::runtime_error("cannot create a temporary directory");
    }
    std::filesystem::current_path(path_);
}

TempDirectory::~TempDirectory()
{
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string source_path(const std::string& relative)
{
    const char* root = std::getenv("TAVRO_SOURCE_DIR");
    return native_path(std::string(root ? root : ".") + "/" + relative);
}

std::string native_path(const std::string& path)
{
#ifdef _WIN32
    std::filesystem::path native = path.rfind('/', 0) == 0 ? "Z:" + path : path;
    return native.make_preferred().string();
#else
    return path;
#endif
}

int shell_status(const std::string& command)
{
    const int status = std::system(command.c_str());
#ifdef _WIN32
    return status;
#else
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

std::string read_text_file(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

void write_file(const std::string& path, const std::string& contents)
{
    std::ofstream out(path, std::ios::binary);
    out << contents;
}

bool file_exists(const std::string& path) { return std::filesystem::exists(path); }
