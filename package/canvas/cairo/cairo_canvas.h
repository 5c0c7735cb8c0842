// Cairo canvas: the package's 601 x 540 off-screen image as a Cairo RGB24 image
// surface, used by the headless and the desktop hosts.
//
// Every shape is written straight into the surface's memory by the common base
// (MemoryCanvas, the package's own pixel code, whose polygon interiors and wide
// pens take exactly the pixels of Cairo's fills and strokes without
// antialiasing, and unlike Cairo's do not allocate on every call); text is
// drawn from glyphs Cairo rasterised once per size and character. Cairo's own
// fills, strokes and text drawing remain as the reference these are checked against.
//
// Speed: memory and Cairo are brought in step only when the other is about to
// draw or the image is read.
//
// Dependencies: cairo (image surfaces, toy font API, PNG writer); fontconfig gives
// "TAVRO-font" the face Liberation Sans (fonts-liberation2) through the project's alias.
//
// Known limits: the text face is whatever fontconfig substitutes, so those pixels are close to, but
// not the same as, the 32-bit desktop's. Points far outside the image are cut
// down to a box around it before they reach Cairo.
#pragma once

#include "canvas/cairo/cairo_glyphs.h"
#include "canvas/cairo/cairo_handles.h"
#include "canvas/cairo/cairo_text.h"
#include "canvas/pixels/memory_canvas.h"
#include "canvas/pixels/text_placement.h"

#include <vector>

namespace tavro {

class CairoCanvas final : public MemoryCanvas {
public:
    // A text command with point size 0 gets this character height.
    static constexpr int DEFAULT_POINT_SIZE = tavro::DEFAULT_POINT_SIZE;

    // Who draws polygon interiors, wide pens and text: the package, or Cairo's paths
    // and text drawing (the reference the package's drawing is compared with).
    enum class Rasteriser { package, cairo };

    // A new image is black until it is first cleared.
    explicit CairoCanvas(Rasteriser rasteriser = Rasteriser::package);

    // The surface, with every drawing so far in its memory.
    cairo_surface_t* surface() const;
    // The line height of text drawn at point_size (0: the default size).
    static int text_line_height(int point_size);

private:
    // The surface's memory, made before the canvas that draws into it.
    CairoCanvas(CairoSurface surface, Rasteriser rasteriser);

    void fill_path(Rgb colour, const std::vector<PathPoint>& points) override;
    void stroke_path(Rgb colour, long long width, const std::vector<PathPoint>& points, bool closed) override;
    void draw_text(Rgb colour, PenPoint anchor, int point_size, const char* text) override;
    // Brings what Cairo drew into the memory before it is written there.
    void before_memory_write() const override;
    void finish_drawing() const override;
    void take_cairo_drawing() const;
    // The context, once Cairo knows what was written into the memory.
    cairo_t* cairo() const;

    CairoSurface surface_;
    CairoContext context_;
    CairoGlyphs glyph_faces_;
    GlyphCache glyphs_;
    CairoFontCache fonts_;  // the reference's text
    Rasteriser rasteriser_;
    mutable bool cairo_drew_ = false;      // Cairo may hold drawing not yet in memory
    mutable bool memory_written_ = false;  // Cairo has not yet been told of memory writes
};

}  // namespace tavro
