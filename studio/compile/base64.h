#pragma once

#include <string>
#include <string_view>

namespace tavro::studio {

// Standard base64 with padding, as em++ writes a one-file page's WebAssembly.
std::string base64(std::string_view bytes);

}  // namespace tavro::studio
