// Reads PNG pictures: 8-bit RGB and RGBA, not interlaced, any of the five row filters; an RGB
// picture's transparent colour (tRNS) reads as alpha 0. Anything else is refused with one line
// saying why.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavro {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // row by row from the top, each 0xAARRGGBB
};

// The picture in the file; on a problem returns nothing and sets problem to the reason.
std::optional<Picture> read_png(const std::string& path, std::string& problem);
// The same for the bytes of a PNG file.
std::optional<Picture> decode_png(const std::string& bytes, std::string& problem);

}  // namespace tavro
