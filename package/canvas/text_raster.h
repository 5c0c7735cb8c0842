// The pixels of the headless host's text window, drawn from the lines it shows. Each canvas
// library brings its own: Cairo (canvas/cairo/text_raster.cpp) and GDI (canvas/gdi/text_raster.cpp).
#pragma once

#include "seam/host.h"

#include "hosts/text_lines.h"

#include <memory>
#include <string>

namespace tavro {

struct TextFaceMetrics {
    int ascent = 0;       // rows from a cell's top to the baseline
    int line_height = 0;  // rows from one line's top to the next
};

class TextRaster {
public:
    // The text window's face: DejaVu Sans Mono at 12 pixels with Cairo, the stock fixed-pitch font with GDI.
    static TextFaceMetrics face_metrics();

    TextRaster(int width, int height);
    ~TextRaster();
    TextRaster(const TextRaster&) = delete;
    TextRaster& operator=(const TextRaster&) = delete;

    // White all over, then each line in black on its own cleared strip, 5 pixels from the
    // left, the first with its cell's top at row top and each next one a line lower.
    void draw(const TextLines& lines, int top, const TextFaceMetrics& metrics);
    Rgb pixel(int column, int row) const;

    static constexpr int TEXT_LEFT = 5;

private:
    struct Pixels;
    std::unique_ptr<Pixels> pixels_;
    int width_;
    int height_;
};

}  // namespace tavro
