// Temporary files of a headless run: each is removed when its owner ends, and whatever is
// left when the process exits early (a program may call exit) is removed then.
#pragma once

#include <string>

namespace tavro {

class ScratchPath {
public:
    ScratchPath() = default;
    ~ScratchPath();
    ScratchPath(const ScratchPath&) = delete;
    ScratchPath& operator=(const ScratchPath&) = delete;

    // Takes charge of path, which now exists.
    void adopt(const std::string& path);
    // Lets go of the path without removing it (it was renamed into place).
    void release();
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// An output written to a temporary file beside its final path and renamed into place only
// once it is complete, so that a failed run leaves no partial file behind.
class OutputFile {
public:
    explicit OutputFile(std::string final_path) : final_path_(std::move(final_path)) {}

    // Creates the temporary file in the final path's folder; on failure sets reason.
    bool create(std::string& reason);
    // Renames the temporary file into place; on failure sets reason and removes it.
    bool commit(std::string& reason);
    const std::string& temporary_path() const { return temporary_.path(); }
    const std::string& final_path() const { return final_path_; }

private:
    std::string final_path_;
    ScratchPath temporary_;
};

}  // namespace tavro
