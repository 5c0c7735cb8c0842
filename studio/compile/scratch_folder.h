// A build's own folder under the builder's scratch folder, removed with everything in it.
#pragma once

#include <filesystem>
#include <string_view>

namespace tavro::studio {

class ScratchFolder {
public:
    ScratchFolder(const std::filesystem::path& parent, std::string_view kind);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A whole file, or empty when it cannot be read.
std::string read_file(const std::filesystem::path& path);
bool write_file(const std::filesystem::path& path, std::string_view text);

}  // namespace tavro::studio
