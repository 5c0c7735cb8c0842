#include "render/output_target.h"

#include <filesystem>
#ifdef _WIN32
#include <windows.h>

#endif

namespace tavro {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
// A device (NUL, CON, COM1) or a named pipe (\\.\pipe\NAME) is no file the file system can
// describe: the system tells what the name opens. Opened for no access, nothing is read or made.
bool is_device_or_pipe(const std::string& name)
{
    const HANDLE handle = CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const DWORD type = GetFileType(handle);
    CloseHandle(handle);
    return type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE;
}
#else
bool is_device_or_pipe(const std::string&) { return false; }  // fs::status tells them apart
#endif

constexpr int MOST_LINKS = 40;  // as many as the system follows in one name

// A link in /proc (/dev/stdout, /dev/fd/1 lead there) stands for an open descriptor: its
// target is whatever the descriptor has open, not a file name to replace.
bool stands_for_a_descriptor(const fs::path& link)
{
    std::error_code error;
    const fs::path parent = link.has_parent_path() ? link.parent_path() : fs::path(".");
    const std::string folder = fs::canonical(parent, error).generic_string();
    return !error && folder.rfind("/proc/", 0) == 0;
}

}  // namespace

std::optional<OutputTarget> output_target(const std::string& name, std::string& problem)
{
    std::error_code error;
    const fs::file_status status = fs::status(name, error);
    if (fs::is_directory(status)) {
        problem = "it is a folder";
        return std::nullopt;
    }
    if ((fs::exists(status) && !fs::is_regular_file(status)) || is_device_or_pipe(name)) {
        return OutputTarget{OutputTarget::Kind::stream, name};
    }
    fs::path path = name;
    for (int links = 0; fs::is_symlink(fs::symlink_status(path, error)); ++links) {
        if (stands_for_a_descriptor(path)) {
            return OutputTarget{OutputTarget::Kind::stream, name};
        }
        const fs::path target = fs::read_symlink(path, error);
        if (error || links == MOST_LINKS) {
            problem = error ? error.message() : "too many links";
            return std::nullopt;
        }
        path = path.parent_path() / target;  // an absolute target replaces the whole path
    }
    return OutputTarget{OutputTarget::Kind::file, path.string()};
}

namespace {

fs::path real_path(const std::string& path)
{
    std::error_code error;
    const fs::path real = fs::weakly_canonical(fs::absolute(path, error), error);
    return error ? fs::absolute(path) : real;
}

}  // namespace

bool same_file(const std::string& a, const std::string& b)
{
    std::error_code error;
    if (fs::exists(a, error) && fs::exists(b, error)) {
        return fs::equivalent(a, b, error);
    }
    return real_path(a) == real_path(b);
}

}  // namespace tavro
