// Files built into the program (cmake/embed_file.cmake): the studio's pages and the package's
// examples, so that an installed studio needs no folder of its own beside it.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace tavro::studio {

struct EmbeddedFile {
    std::string_view path;  // relative to the folder it came from
    const unsigned char* data;
    std::size_t size;

    std::string_view bytes() const { return {reinterpret_cast<const char*>(data), size}; }
};

const std::vector<EmbeddedFile>& studio_pages();
const std::vector<EmbeddedFile>& package_examples();

}  // namespace tavro::studio
