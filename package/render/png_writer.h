// PNG files of an image's pixels: 8-bit RGB, compressed with zlib.
#pragma once

#include "seam/host.h"

#include <string>

namespace tavro {

// Writes the part of the image from (left, top), width x height pixels, as a PNG file; false
// when the part does not lie inside the image or the file cannot be written.
bool write_png(const std::string& path, const tavro::PixelRows& image, int left, int top, int width, int height);

}  // namespace tavro
