// An animated GIF (GIF89a, looping for ever) written frame by frame in the
// package's 24 colours, read from the canvas's pixel rows.
#pragma once

#include "support/file_handle.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace tavro {

class Canvas;

class GifWriter {
public:
    // Frames of width x height pixels taken from the top-left of a canvas, each
    // shown for delay_centiseconds. Check is_open() before adding frames.
    GifWriter(const std::string& path, int width, int height, int delay_centiseconds);
    // Ends the file if close() was not called.
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    bool is_open() const;
    // Stores only the rectangle that changed since the last frame, with the
    // pixels inside it that did not change transparent.
    bool add_frame(const tavro::Canvas& canvas);
    // Writes the trailer; false when anything failed.
    bool close();
    int frames() const { return frames_; }

private:
    void put(const std::vector<std::uint8_t>& bytes);

    FileHandle file_;
    int width_;
    int height_;
    int delay_;
    int frames_ = 0;
    bool failed_ = false;
    std::vector<std::uint32_t> previous_;  // the last frame's pixels, as the canvas holds them
    std::vector<std::uint8_t> indices_;    // scratch: the changed rectangle's palette indices
    std::vector<std::uint8_t> bytes_;      // scratch: one frame's encoded bytes
};

// The palette index of a colour: its entry in the colour table, or the nearest one.
std::uint8_t palette_index(std::uint8_t r, std::uint8_t g, std::uint8_t b);

}  // namespace tavro
