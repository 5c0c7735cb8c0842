#include "canvas/pixels/glyph_cache.h"

#include "canvas/pixels/text_placement.h"

namespace tavro {

GlyphCache::Size& GlyphCache::size(int pixel_size)
{
    auto found = sizes_.find(pixel_size);
    if (found == sizes_.end()) {
        found = sizes_.emplace(pixel_size, Size{font_.line_metrics(pixel_size), {}}).first;
    }
    return found->second;
}

void GlyphCache::draw_line(PixelWriter& writer, int pixel_size, PixelCoord left, PixelCoord top, std::string_view text)
{
    Size& cached = size(pixel_size);
    const PixelCoord baseline = top + cached.metrics.ascent;
    PixelCoord origin = left;
    for (char c : text) {
        const unsigned char character = shown_character(static_cast<unsigned char>(c));
        std::unique_ptr<Glyph>& glyph = cached.glyphs[character];
        if (!glyph) {
            glyph = std::make_unique<Glyph>(font_.glyph(character, pixel_size));
        }
        for (const ScanSpan& span : glyph->spans) {
            writer.fill(origin + span.left, baseline + span.row, origin + span.right, baseline + span.row + 1);
        }
        origin += glyph->advance;
    }
}

}  // namespace tavro
