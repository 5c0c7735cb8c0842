#include "render/png_writer.h"

#include "support/file_handle.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace tavro {

namespace {

constexpr unsigned char SIGNATURE[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr unsigned char BIT_DEPTH = 8;
constexpr unsigned char COLOUR_TYPE_RGB = 2;
constexpr unsigned char FILTER_NONE = 0;

void put_u32(std::vector<unsigned char>& bytes, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.push_back(static_cast<unsigned char>(value >> shift));
    }
}

// Length, type, data and the CRC of type and data.
void put_chunk(std::vector<unsigned char>& out, const char (&type)[5], const std::vector<unsigned char>& data)
{
    put_u32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), out.data() + start, static_cast<uInt>(out.size() - start));
    put_u32(out, static_cast<std::uint32_t>(crc));
}

// Each row: the filter byte, then red, green and blue of each pixel.
std::vector<unsigned char> raw_rows(const tavro::PixelRows& image, int left, int top, int width, int height)
{
    std::vector<unsigned char> raw;
    raw.reserve(std::size_t(height) * (1 + 3 * std::size_t(width)));
    for (int row = top; row < top + height; ++row) {
        raw.push_back(FILTER_NONE);
        const unsigned char* line = image.data + std::ptrdiff_t{row} * image.stride;
        for (int column = left; column < left + width; ++column) {
            std::uint32_t word = 0;
            std::memcpy(&word, line + std::ptrdiff_t{column} * 4, sizeof word);
            raw.push_back(static_cast<unsigned char>(word >> 16));
            raw.push_back(static_cast<unsigned char>(word >> 8));
            raw.push_back(static_cast<unsigned char>(word));
        }
    }
    return raw;
}

}  // namespace

bool write_png(const std::string& path, const tavro::PixelRows& image, int left, int top, int width, int height)
{
    if (image.data == nullptr || width <= 0 || height <= 0 || left < 0 || top < 0 || left + width > image.width ||
        top + height > image.height) {
        return false;
    }
    const std::vector<unsigned char> raw = raw_rows(image, left, top, width, height);
    uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> packed(packed_size);
    if (compress2(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION) !=
        Z_OK) {
        return false;
    }
    packed.resize(packed_size);

    std::vector<unsigned char> header;
    put_u32(header, static_cast<std::uint32_t>(width));
    put_u32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {BIT_DEPTH, COLOUR_TYPE_RGB, 0, 0, 0});  // deflate, filter set 0, no interlace
    std::vector<unsigned char> out(std::begin(SIGNATURE), std::end(SIGNATURE));
    put_chunk(out, "IHDR", header);
    put_chunk(out, "IDAT", packed);
    put_chunk(out, "IEND", {});

    FileHandle file(std::fopen(path.c_str(), "wb"));
    if (!file || std::fwrite(out.data(), 1, out.size(), file.get()) != out.size()) {
        return false;
    }
    return std::fclose(file.release()) == 0;
}

}  // namespace tavro
