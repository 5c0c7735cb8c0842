#include "render/scratch_files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

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
    std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int descriptor = mkstemp(pattern.data());
    if (descriptor < 0) {
        reason = reason_of_errno();
        return false;
    }
    temporary_.adopt(pattern);
    // mkstemp makes the file private; the output gets the permissions of a newly created file.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);
    close(descriptor);
    return true;
}

bool OutputFile::commit(std::string& reason)
{
    if (std::rename(temporary_.path().c_str(), final_path_.c_str()) != 0) {
        reason = reason_of_errno();
        return false;
    }
    temporary_.release();
    return true;
}

ScriptFolder::~ScriptFolder()
{
    if (!previous_.empty()) {
        std::error_code ignored;
        fs::current_path(previous_, ignored);
    }
}

bool ScriptFolder::enter(const std::string& script, std::string& reason)
{
    std::error_code error;
    const fs::path temporary = fs::temp_directory_path(error);
    if (error) {
        reason = "no temporary folder: " + error.message();
        return false;
    }
    std::string pattern = (temporary / "tavro-render-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        reason = "cannot create a scratch folder in " + temporary.string() + ": " + reason_of_errno();
        return false;
    }
    folder_.adopt(pattern);
    if (!fs::copy_file(script, fs::path(pattern) / "TAVRO.SCR", error)) {
        reason = "cannot copy the script into " + pattern + ": " + error.message();
        return false;
    }
    const fs::path previous = fs::current_path(error);
    if (!error) {
        fs::current_path(pattern, error);
    }
    if (error) {
        reason = "cannot enter the scratch folder " + pattern + ": " + error.message();
        return false;
    }
    previous_ = previous.string();
    return true;
}
