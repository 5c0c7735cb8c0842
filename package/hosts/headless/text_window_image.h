// The headless text window's client area: black lines on white, the newest at
// the bottom, older ones scrolled up one line height each.
//
// A logged frame can write tens of thousands of lines, so nothing is drawn when
// a line arrives: the image keeps the last lines that can still be seen and is
// drawn when someone looks at it. Drawing those lines oldest first, each one
// clearing its own strip, gives the same pixels as scrolling the window line by
// line: a glyph's overhang below its strip was clipped at the window's bottom
// when it was drawn there, and is cleared here by the next line's strip.
#pragma once

#include "seam/host.h"
#include "hosts/text_lines.h"
#include "canvas/text_raster.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

class TextWindowImage {
public:
    TextWindowImage();

    // The window was created with this client area; it starts white and empty.
    void resize(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    int line_height() const { return line_height_; }

    // Scrolls up by one line and draws text in the cleared bottom strip.
    void put_line(std::string_view text);
    // Everything white again, as a repaint starts.
    void clear();

    // Lines with at least one row in the window, top to bottom.
    std::vector<std::string> visible_lines() const;
    // Out of range: black.
    Rgb pixel(int column, int row) const;

private:
    void draw() const;

    int width_ = 0;
    int height_ = 0;
    int line_height_ = 0;
    int ascent_ = 0;
    TextLines shown_;  // the lines that can have a row in view
    mutable std::unique_ptr<TextRaster> raster_;
    mutable bool stale_ = true;
};

}  // namespace tavro
