#include "canvas/pixels/pixel_font.h"

#include "canvas/pixels/embedded_font_file.h"

#include <stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace tavro {

namespace {

// 16.16 fixed-point products and quotients, rounded as the font engine behind
// the Cairo canvas rounds them, so that line metrics come out the same.
std::int64_t multiply_16_16(std::int64_t a, std::int64_t b)
{
    const bool negative = (a < 0) != (b < 0);
    const std::int64_t c = (std::llabs(a) * std::llabs(b) + 0x8000) >> 16;
    return negative ? -c : c;
}

std::int64_t divide_16_16(std::int64_t a, std::int64_t b) { return ((a << 16) + (b >> 1)) / b; }

// Whole pixels of a 26.6 fixed-point value, rounded up or down.
int ceil_26_6(std::int64_t v) { return static_cast<int>((v + 63) >> 6); }
int floor_26_6(std::int64_t v) { return static_cast<int>(v >> 6); }

// Curves are cut into chords no farther than this from them, in pixels.
constexpr double FLATNESS = 1.0 / 32.0;

int chord_count(double bend)
{
    return std::clamp(static_cast<int>(std::ceil(std::sqrt(bend / (8.0 * FLATNESS)))), 1, 64);
}

}  // namespace

struct PixelFont::Face {
    stbtt_fontinfo info{};
    int units_per_em = 0;
    int ascender = 0;
    int descender = 0;
};

PixelFont::PixelFont(const unsigned char* data, std::size_t size) : face_(std::make_unique<Face>())
{
    const int offset = size > 0 ? stbtt_GetFontOffsetForIndex(data, 0) : -1;
    if (offset < 0 || stbtt_InitFont(&face_->info, data, offset) == 0) {
        throw std::runtime_error("the embedded font is not a TrueType font");
    }
    const unsigned char* head = data + face_->info.head;
    face_->units_per_em = head[18] << 8 | head[19];
    int line_gap = 0;
    stbtt_GetFontVMetrics(&face_->info, &face_->ascender, &face_->descender, &line_gap);
}

PixelFont::~PixelFont() = default;

FontLineMetrics PixelFont::line_metrics(int pixel_size) const
{
    const std::int64_t y_scale = divide_16_16(std::int64_t{pixel_size} << 6, face_->units_per_em);
    FontLineMetrics metrics;
    metrics.ascent = ceil_26_6(multiply_16_16(face_->ascender, y_scale));
    metrics.height = metrics.ascent - floor_26_6(multiply_16_16(face_->descender, y_scale));
    return metrics;
}

Glyph PixelFont::glyph(unsigned char character, int pixel_size) const
{
    const stbtt_fontinfo* info = &face_->info;
    const int index = stbtt_FindGlyphIndex(info, character);
    const double scale = static_cast<double>(pixel_size) / face_->units_per_em;
    Glyph glyph;
    int advance = 0;
    int bearing = 0;
    stbtt_GetGlyphHMetrics(info, index, &advance, &bearing);
    glyph.advance = static_cast<int>((std::int64_t{advance} * pixel_size * 2 + face_->units_per_em) /
                                     (std::int64_t{2} * face_->units_per_em));

    stbtt_vertex* vertices = nullptr;
    const int count = stbtt_GetGlyphShape(info, index, &vertices);
    ScanPolygon outline;
    std::vector<FixedPoint> contour;
    double x = 0.0;
    double y = 0.0;
    // Font units have y upwards; the image has rows downwards.
    const auto point = [scale](double fx, double fy) {
        return FixedPoint{to_fixed(fx * scale), to_fixed(-fy * scale)};
    };
    for (int i = 0; i < count; ++i) {
        const stbtt_vertex& v = vertices[i];
        if (v.type == STBTT_vmove) {
            outline.add_polygon(contour);
            contour.clear();
        } else if (v.type == STBTT_vcurve) {
            const double bend = std::hypot(x - 2 * v.cx + v.x, y - 2 * v.cy + v.y) * scale;
            const int chords = chord_count(bend);
            for (int k = 1; k < chords; ++k) {
                const double t = static_cast<double>(k) / chords;
                const double u = 1.0 - t;
                contour.push_back(
                    point(u * u * x + 2 * u * t * v.cx + t * t * v.x, u * u * y + 2 * u * t * v.cy + t * t * v.y));
            }
        } else if (v.type == STBTT_vcubic) {
            const double bend = std::max(std::hypot(x - 2 * v.cx + v.cx1, y - 2 * v.cy + v.cy1),
                                         std::hypot(v.cx - 2 * v.cx1 + v.x, v.cy - 2 * v.cy1 + v.y)) *
                                1.5 * scale;
            const int chords = chord_count(bend);
            for (int k = 1; k < chords; ++k) {
                const double t = static_cast<double>(k) / chords;
                const double u = 1.0 - t;
                const double a = u * u * u;
                const double b = 3 * u * u * t;
                const double c = 3 * u * t * t;
                const double d = t * t * t;
                contour.push_back(
                    point(a * x + b * v.cx + c * v.cx1 + d * v.x, a * y + b * v.cy + c * v.cy1 + d * v.y));
            }
        }
        contour.push_back(point(v.x, v.y));
        x = v.x;
        y = v.y;
    }
    outline.add_polygon(contour);
    stbtt_FreeShape(info, vertices);

    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    if (stbtt_GetGlyphBox(info, index, &x0, &y0, &x1, &y1) != 0) {
        const PixelBox area{
            static_cast<PixelCoord>(std::floor(x0 * scale)) - 1, static_cast<PixelCoord>(std::floor(-y1 * scale)) - 1,
            static_cast<PixelCoord>(std::ceil(x1 * scale)) + 1, static_cast<PixelCoord>(std::ceil(-y0 * scale)) + 1};
        outline.scan(ScanRule::pixel_centres, area, glyph.spans);
    }
    return glyph;
}

const PixelFont& embedded_font()
{
    static const PixelFont font(embedded_font_data, embedded_font_size);
    return font;
}

}  // namespace tavro
