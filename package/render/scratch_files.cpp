#include "render/scratch_files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <set>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>

#endif

namespace tavro {

namespace fs = std::filesystem;

namespace {

// Paths still in charge of a ScratchPath. Destroyed at process exit, also after exit(),
// when no ScratchPath destructor runs.
class Leftovers {
public:
    ~Leftovers()
    {
        for (const std::string& path : paths) {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
    }
    std::set<std::string> paths;
};

Leftovers& leftovers()
{
    static Leftovers instance;
    return instance;
}

std::string reason_of_errno() { return std::strerror(errno); }

constexpr int MOST_ATTEMPTS = 100;  // names tried before giving up, each new at random

// Six letters and digits drawn at random: a name that nobody else is likely to have taken.
std::string random_suffix()
{
    static const char characters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof characters - 2);
    std::string suffix;
    for (int i = 0; i < 6; ++i) {
        suffix += characters[pick(generator)];
    }
    return suffix;
}

// Creates the file only when nothing has its name yet (both systems' exclusive create), with
// the permissions of a newly created file; otherwise errno says why.
bool create_new_file(const std::string& path)
{
    const int descriptor = open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0666);
    if (descriptor < 0) {
        return false;
    }
    close(descriptor);
    return true;
}

}  // namespace

ScratchPath::~ScratchPath()
{
    if (!path_.empty()) {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
        release();
    }
}

void ScratchPath::adopt(const std::string& path)
{
    path_ = path;
    leftovers().paths.insert(path);
}

void ScratchPath::release()
{
    leftovers().paths.erase(path_);
    path_.clear();
}

bool OutputFile::create(std::string& reason)
{
    const fs::path target(final_path_);
    const std::string stem = (target.parent_path() / ("." + target.filename().string() + ".")).string();
    for (int attempt = 0; attempt < MOST_ATTEMPTS; ++attempt) {
        const std::string path = stem + random_suffix();
        if (create_new_file(path)) {
            temporary_.adopt(path);
            return true;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    reason = reason_of_errno();
    return false;
}

bool OutputFile::commit(std::string& reason)
{
    // Replaces a file of the final name on Windows too, where std::rename would refuse.
    std::error_code error;
    fs::rename(temporary_.path(), final_path_, error);
    if (error) {
        reason = error.message();
        return false;
    }
    temporary_.release();
    return true;
}

}  // namespace tavro
