// The files tavro-check reads: regular files of a bounded size, read whole. A folder, a device
// or a pipe (an endless input) is refused before anything is read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tavro {

// Larger than any transcript or picture a check makes; a file beyond it is refused, not read.
constexpr std::uintmax_t MOST_INPUT_BYTES = std::uintmax_t{256} << 20;

// The file's bytes; on a problem returns nothing and sets problem to the reason.
std::optional<std::string> read_input_file(const std::string& path, std::string& problem,
                                           std::uintmax_t most_bytes = MOST_INPUT_BYTES);

}  // namespace tavro
