// An animated GIF written frame by frame in the package's 24 colours.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tavro {
class Canvas;
}

class GifWriter {
public:
    // Frames of width x height pixels taken from the top-left of a canvas, each
    // shown for delay_centiseconds. Check is_open() before adding frames.
    GifWriter(const std::string& path, int width, int height, int delay_centiseconds);
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    bool is_open() const;
    // Only the rectangle that changed since the last frame is stored.
    bool add_frame(const tavro::Canvas& canvas);
    // Writes the trailer; false when anything failed.
    bool close();
    int frames() const { return frames_; }

private:
    struct File;
    std::unique_ptr<File> file_;
    int width_;
    int height_;
    int delay_;
    int frames_ = 0;
    bool failed_ = false;
    std::vector<std::uint8_t> previous_;
};

// The palette index of a colour: its entry in the colour table, or the nearest one.
std::uint8_t palette_index(std::uint8_t r, std::uint8_t g, std::uint8_t b);
