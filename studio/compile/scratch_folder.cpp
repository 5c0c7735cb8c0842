#include "scratch_folder.h"

#include <sodium.h>

#include <fstream>
#include <sstream>
#include <string>

namespace tavro::studio {

ScratchFolder::ScratchFolder(const std::filesystem::path& parent, std::string_view kind)
{
    std::filesystem::create_directories(parent);
    for (;;) {
        path_ = parent / (std::string(kind) + "-" + std::to_string(randombytes_random()));
        if (std::filesystem::create_directory(path_)) {
            return;
        }
    }
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string read_file(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool write_file(const std::filesystem::path& path, std::string_view text)
{
    std::ofstream file(path, std::ios::binary);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(file.flush());
}

}  // namespace tavro::studio
