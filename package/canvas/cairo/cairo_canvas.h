// Cairo canvas: the package's 601 x 540 off-screen image as a Cairo RGB24 image
// surface, used by the headless and the desktop hosts.
//
// Every shape is written straight into the surface's memory by the common base
// (MemoryCanvas, the package's own pixel code, whose polygon interiors and wide
// pens take exactly the pixels of Cairo's fills and strokes without
// antialiasing, and unlike Cairo's do not allocate on every call); text is
// drawn from glyphs Cairo rasterised once per size and character. The tests'
// support derives the reference these are checked against, which draws with
// Cairo's own fills, strokes and text into the same surface.
//
// Speed: Cairo is told of memory writes only when the surface is handed out.
//
// Dependencies: cairo (image surfaces, toy font API); fontconfig gives
// "TAVRO-font" the face Liberation Sans (fonts-liberation2) through the project's alias.
//
// Known limits: the text face is whatever fontconfig substitutes, so those pixels are close to, but
// not the same as, the 32-bit desktop's.
#pragma once

#include "canvas/cairo/cairo_glyphs.h"
#include "canvas/cairo/cairo_handles.h"
#include "canvas/pixels/memory_canvas.h"
#include "canvas/pixels/text_placement.h"

namespace tavro {

class CairoCanvas : public MemoryCanvas {
public:
    // A text command with point size 0 gets this character height.
    static constexpr int DEFAULT_POINT_SIZE = tavro::DEFAULT_POINT_SIZE;
    // The face of its text, which the project's fontconfig alias names.
    static constexpr const char* FONT_FACE = "TAVRO-font";

    // A new image is black until it is first cleared.
    CairoCanvas();

    // The surface, with every drawing so far in its memory.
    cairo_surface_t* surface() const;
    // The line height of text drawn at point_size (0: the default size).
    static int text_line_height(int point_size);

protected:
    void draw_text(Rgb colour, PenPoint anchor, int point_size, const char* text) override;
    void before_memory_write() const override { memory_written_ = true; }
    void finish_drawing() const override { tell_cairo_of_memory_writes(); }
    // Marks the surface dirty when memory was written since Cairo last heard of it.
    void tell_cairo_of_memory_writes() const;
    // The surface as it is, for drawing into it with Cairo.
    cairo_surface_t* own_surface() const { return surface_.get(); }

private:
    // The surface's memory, made before the canvas that draws into it.
    explicit CairoCanvas(CairoSurface surface);

    CairoSurface surface_;
    CairoGlyphs glyph_faces_;
    GlyphCache glyphs_;
    mutable bool memory_written_ = false;  // Cairo has not yet been told of memory writes
};

}  // namespace tavro
