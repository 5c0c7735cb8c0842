// An open C file that closes itself.
#pragma once

#include <cstdio>
#include <memory>

namespace tavro {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A writer that must know whether its data reached the file closes it with
// std::fclose(handle.release()) and checks the result.
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace tavro
