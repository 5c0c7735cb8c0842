// The Cairo canvas's glyphs: each character rasterised once per size by Cairo
// (the face, hinting and whole-pixel advances of its text drawing) and kept as
// spans, so that drawing a label writes memory instead of going through Cairo's
// compositing, which allocates on every call. Glyphs land on whole pixels, so a
// glyph drawn from its spans takes the pixels Cairo would give it there.
#pragma once

#include "canvas/cairo/cairo_handles.h"
#include "canvas/cairo/cairo_text.h"
#include "canvas/pixels/glyph_source.h"

namespace tavro {

class CairoGlyphs final : public GlyphSource {
public:
    explicit CairoGlyphs(const char* face);

    FontLineMetrics line_metrics(int pixel_size) const override;
    Glyph glyph(unsigned char character, int pixel_size) const override;

private:
    // Makes the face at pixel_size the scratch context's font.
    CairoLineMetrics use(int pixel_size) const;

    CairoSurface scratch_;
    CairoContext context_;
    mutable CairoFontCache fonts_;
};

}  // namespace tavro
