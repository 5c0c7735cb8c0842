#include "wasm_memory.h"

namespace tavro::studio {

namespace {

constexpr std::int64_t page_bytes = 65536;
constexpr int memory_section = 5;

bool read_leb(std::string_view bytes, std::size_t& at, std::uint64_t& value)
{
    value = 0;
    for (int shift = 0; shift < 64 && at < bytes.size(); shift += 7) {
        const auto byte = static_cast<unsigned char>(bytes[at++]);
        value |= static_cast<std::uint64_t>(byte & 0x7f) << shift;
        if ((byte & 0x80) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<std::int64_t> initial_memory(std::string_view module)
{
    if (module.size() < 8 || module.substr(0, 4) != std::string_view("\0asm", 4)) {
        return std::nullopt;
    }
    std::size_t at = 8;
    while (at < module.size()) {
        const int id = static_cast<unsigned char>(module[at++]);
        std::uint64_t size = 0;
        if (!read_leb(module, at, size) || size > module.size() - at) {
            return std::nullopt;
        }
        if (id == memory_section) {
            std::size_t inside = at + 1;  // past the count, which is 1
            std::uint64_t pages = 0;
            if (inside >= module.size() || !read_leb(module, ++inside, pages)) {  // past the limits' flags
                return std::nullopt;
            }
            return static_cast<std::int64_t>(pages) * page_bytes;
        }
        at += size;
    }
    return std::nullopt;
}

}  // namespace tavro::studio
