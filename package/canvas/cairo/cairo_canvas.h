// Cairo canvas: the package's 601 x 540 off-screen image as a Cairo RGB24 image
// surface, used by the headless and the desktop hosts.
//
// Implements Canvas::render with the package's edge rules: a filled box includes
// both corner pixels, an inscribed ellipse stays inside its box and touches all
// four sides, a one-pixel line leaves out its end pixel. These pixel-exact shapes
// are written straight into the surface's memory; polygon interiors, pens wider
// than one pixel and text go through Cairo, all without antialiasing.
//
// Dependencies: cairo (image surfaces, toy font API, PNG writer); fontconfig gives
// "TAVRO-font" the face Liberation Sans (fonts-liberation2) through the project's alias.
//
// Known limits: wide pens are Cairo strokes with round ends and joins, and the
// text face is whatever fontconfig substitutes, so those pixels are close to, but
// not the same as, the 32-bit desktop's. Points far outside the image are cut
// down to a box around it before they reach Cairo.
#pragma once

#include "cairo_handles.h"
#include "platform.h"

#include <string>

namespace tavro {

class CairoCanvas final : public Canvas {
public:
    // A text command with point size 0 gets this character height.
    static constexpr int DEFAULT_POINT_SIZE = 16;

    // A new image is black until it is first cleared.
    CairoCanvas();

    void render(const DrawCommand& command, Rgb colour, int origin_x, int origin_y) override;
    void clear_white_framed() override;
    Rgb pixel(int column, int row) const override;

    cairo_surface_t* surface() const { return surface_.get(); }
    // Writes the given part of the image as a PNG file; false when it cannot be written.
    bool write_png(const std::string& path, int left, int top, int width, int height) const;
    // The line height of text drawn at point_size (0: the default size).
    static int text_line_height(int point_size);

private:
    CairoSurface surface_;
};

}  // namespace tavro
