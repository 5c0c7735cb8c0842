#include "check/input_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace tavro {

namespace fs = std::filesystem;

namespace {

std::string size_name(std::uintmax_t bytes)
{
    return bytes % (1 << 20) == 0 ? std::to_string(bytes >> 20) + " MiB" : std::to_string(bytes) + " bytes";
}

}  // namespace

std::optional<std::string> read_input_file(const std::string& path, std::string& problem, std::uintmax_t most_bytes)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status)) {
        problem = "it is a folder";
        return std::nullopt;
    }
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        problem = "it is not a regular file";
        return std::nullopt;
    }
    const std::string too_large = "it is larger than " + size_name(most_bytes);
    if (fs::exists(status) && fs::file_size(path, error) > most_bytes && !error) {
        problem = too_large;
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problem = std::strerror(errno);
        return std::nullopt;
    }
    // Read with the cap too: the file may grow while it is read.
    std::string bytes;
    char block[1 << 16];
    while (in.read(block, sizeof block) || in.gcount() > 0) {
        bytes.append(block, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > most_bytes) {
            problem = too_large;
            return std::nullopt;
        }
    }
    if (in.bad()) {
        problem = "a read failed";
        return std::nullopt;
    }
    return bytes;
}

}  // namespace tavro
