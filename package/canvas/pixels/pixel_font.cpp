#include "canvas/pixels/pixel_font.h"

#include "canvas/pixels/embedded_font_file.h"

// stb_truetype's functions, compiled here with internal linkage: none of its names reaches the
// global scope of a program linked with the package.
#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
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

// A point of a glyph's outline, in font units.
struct FontPoint {
    double x;
    double y;
};

// The inner points of chords along the quadratic curve from start through control to end, whose
// bend is scaled to pixels.
template <typename Add>
void flatten_quadratic(FontPoint start, FontPoint control, FontPoint end, double scale, Add&& add)
{
    const double bend = std::hypot(start.x - 2 * control.x + end.x, start.y - 2 * control.y + end.y) * scale;
    const int chords = chord_count(bend);
    for (int k = 1; k < chords; ++k) {
        const double t = static_cast<double>(k) / chords;
        const double u = 1.0 - t;
        add(FontPoint{u * u * start.x + 2 * u * t * control.x + t * t * end.x,
                      u * u * start.y + 2 * u * t * control.y + t * t * end.y});
    }
}

// The same for a cubic curve with two control points.
template <typename Add>
void flatten_cubic(FontPoint start, FontPoint c1, FontPoint c2, FontPoint end, double scale, Add&& add)
{
    const double bend = std::max(std::hypot(start.x - 2 * c1.x + c2.x, start.y - 2 * c1.y + c2.y),
                                 std::hypot(c1.x - 2 * c2.x + end.x, c1.y - 2 * c2.y + end.y)) *
                        1.5 * scale;
    const int chords = chord_count(bend);
    for (int k = 1; k < chords; ++k) {
        const double t = static_cast<double>(k) / chords;
        const double u = 1.0 - t;
        const double a = u * u * u;
        const double b = 3 * u * u * t;
        const double c = 3 * u * t * t;
        const double d = t * t * t;
        add(FontPoint{a * start.x + b * c1.x + c * c2.x + d * end.x, a * start.y + b * c1.y + c * c2.y + d * end.y});
    }
}

// The glyph's outline at scale pixels per font unit, its curves cut into chords.
ScanPolygon glyph_outline(const stbtt_fontinfo* info, int index, double scale)
{
    stbtt_vertex* vertices = nullptr;
    const int count = stbtt_GetGlyphShape(info, index, &vertices);
    const auto free_shape = [info](stbtt_vertex* shape) { stbtt_FreeShape(info, shape); };
    const std::unique_ptr<stbtt_vertex, decltype(free_shape)> shape(vertices, free_shape);

    ScanPolygon outline;
    std::vector<FixedPoint> contour;
    // Font units have y upwards; the image has rows downwards.
    const auto add = [scale, &contour](FontPoint p) {
        contour.push_back(FixedPoint{to_fixed(p.x * scale), to_fixed(-p.y * scale)});
    };
    FontPoint at{0.0, 0.0};
    for (int i = 0; i < count; ++i) {
        const stbtt_vertex& v = vertices[i];
        const FontPoint end{static_cast<double>(v.x), static_cast<double>(v.y)};
        if (v.type == STBTT_vmove) {
            outline.add_polygon(contour);
            contour.clear();
        } else if (v.type == STBTT_vcurve) {
            flatten_quadratic(at, FontPoint{static_cast<double>(v.cx), static_cast<double>(v.cy)}, end, scale, add);
        } else if (v.type == STBTT_vcubic) {
            flatten_cubic(at, FontPoint{static_cast<double>(v.cx), static_cast<double>(v.cy)},
                          FontPoint{static_cast<double>(v.cx1), static_cast<double>(v.cy1)}, end, scale, add);
        }
        add(end);
        at = end;
    }
    outline.add_polygon(contour);
    return outline;
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

    ScanPolygon outline = glyph_outline(info, index, scale);

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
