// Feeds arbitrary bytes to tavro-check's PNG reader, which reads files that students' programs
// wrote. Each chunk's check value is set right first, so that mutations reach the header, the
// image data and the filters rather than stopping at the first check. A picture the reader
// accepts must hold exactly its declared number of pixels; one it refuses, a reason.
#include "check/png_reader.h"

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace tavro;

namespace {

std::uint32_t get_u32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

void mend_checks(std::string& bytes)
{
    for (std::size_t at = 8; at + 12 <= bytes.size();) {
        const std::uint32_t length = get_u32(bytes, at);
        if (length > bytes.size() - at - 12) {
            return;
        }
        const auto* body = reinterpret_cast<const Bytef*>(bytes.data() + at + 4);
        const uLong crc = crc32(crc32(0L, Z_NULL, 0), body, length + 4);
        for (std::size_t i = 0; i < 4; ++i) {
            bytes[at + 8 + length + i] = static_cast<char>(crc >> (24 - 8 * i));
        }
        at += 12 + std::size_t{length};
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    mend_checks(bytes);
    std::string problem;
    const std::optional<Picture> picture = decode_png(bytes, problem);
    if (picture ? picture->width <= 0 || picture->height <= 0 ||
                      picture->pixels.size() != std::size_t(picture->width) * std::size_t(picture->height)
                : problem.empty()) {
        std::abort();
    }
    return 0;
}
