#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tavro::studio {

// The initial size in bytes of the memory a WebAssembly module defines; none when it defines none
// or is not one.
std::optional<std::int64_t> initial_memory(std::string_view module);

}  // namespace tavro::studio
