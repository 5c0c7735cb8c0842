// The package's rasteriser (the pixel canvas, and the Cairo canvas's shapes) against
// Cairo's own fills and strokes: every shape takes the same pixels; only text may
// differ, as the pixel canvas's glyphs are not hinted.
#include "cairo_reference_canvas.h"
#include "canvas/cairo/cairo_canvas.h"
#include "canvas_redirect.h"
#include "fixed_picture.h"
#include "core/session.h"
#include "canvas/pixels/pixel_canvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace tavro;

namespace {

using tavro::CairoCanvas;
using tavro::PixelCanvas;

TEST(CanvasParity, FixedPictureFamiliesDifferOnlyInText)
{
    // Text: the same face, size, metrics and baselines; unhinted glyphs and advances
    // move some glyph pixels. The bounds hold the measured differences with room to spare.
    struct Bound {
        std::string family;
        double most_differing;  // share of the family's compared pixels
    };
    const Bound bounds[] = {{"text, 16 points", 0.08}, {"text, 12 points", 0.03}};
    Display display;
    const PictureInput no_input;
    CairoReferenceCanvas cairo;
    PixelCanvas pixels;
    for (tavro::Canvas* canvas : {static_cast<tavro::Canvas*>(&cairo), static_cast<tavro::Canvas*>(&pixels)}) {
        CanvasRedirect redirect(*canvas);
        draw_fixed_picture(display, no_input);
    }
    for (const PictureFamily& family : picture_families()) {
        const FamilyDifference d =
            compare_family(cairo, pixels, family, session().windows.origin_x(), session().windows.origin_y());
        double most_differing = 0.0;
        for (const Bound& bound : bounds) {
            most_differing = bound.family == family.name ? bound.most_differing : most_differing;
        }
        EXPECT_GT(d.compared, 10000) << family.name;
        EXPECT_LE(d.differing, most_differing * d.compared) << family.name;
    }
}

int differing_pixels(const tavro::PixelRows& a, const tavro::PixelRows& b)
{
    int differing = 0;
    for (int row = 0; row < a.height; ++row) {
        for (int column = 0; column < a.width; ++column) {
            std::uint32_t x = 0;
            std::uint32_t y = 0;
            std::memcpy(&x, a.data + row * a.stride + column * 4, 4);
            std::memcpy(&y, b.data + row * b.stride + column * 4, 4);
            differing += (x & 0xFFFFFF) != (y & 0xFFFFFF);
        }
    }
    return differing;
}

// Fills and wide pens, also far outside the image, where the rasterising rules
// (sample points, edge ties, round caps and joins, mitred closing corners,
// clipping) decide single pixels.
TEST(CanvasParity, ShapesAtRandomTakeTheSamePixels)
{
    using Pick = std::uniform_int_distribution<int>;
    struct Family {
        const char* name;
        DrawCommand (*make)(std::mt19937& random);
    };
    const Family families[] = {
        {"filled triangle",
         [](std::mt19937& r) {
             Pick p(-400, 400);
             return make_draw_command(DRAW_TRIANGLE, 0, 0, p(r), p(r), p(r), p(r), p(r), p(r));
         }},
        {"far filled triangle",
         [](std::mt19937& r) {
             Pick far(-300000, 300000);
             Pick near(-300, 300);
             return make_draw_command(DRAW_TRIANGLE, 0, 0, far(r), far(r), near(r), near(r), near(r), near(r));
         }},
        {"triangle outline, wide pen",
         [](std::mt19937& r) {
             Pick p(-400, 400);
             return make_draw_command(DRAW_TRIANGLE, 0, Pick(2, 40)(r), p(r), p(r), p(r), p(r), p(r), p(r));
         }},
        {"thin triangle outline, wide pen",
         [](std::mt19937& r) {
             Pick p(-250, 250);
             Pick d(-30, 30);
             const int x = p(r);
             const int y = p(r);
             return make_draw_command(DRAW_TRIANGLE, 0, Pick(2, 20)(r), x, y, x + d(r), y + d(r) * 5, x + d(r),
                                      y + d(r) * 5);
         }},
        {"wide line",
         [](std::mt19937& r) {
             Pick p(-400, 400);
             return make_draw_command(DRAW_LINE, 0, Pick(2, 60)(r), p(r), p(r), p(r), p(r));
         }},
        {"short or dotted wide line",
         [](std::mt19937& r) {
             Pick p(-250, 250);
             Pick d(-2, 2);
             const int x = p(r);
             const int y = p(r);
             return make_draw_command(DRAW_LINE, 0, Pick(2, 12)(r), x, y, x + d(r), y + d(r));
         }},
        {"oval outline, wide pen",
         [](std::mt19937& r) {
             Pick p(-350, 350);
             return make_draw_command(DRAW_OVAL, 0, Pick(2, 50)(r), p(r), p(r), p(r), p(r));
         }},
    };
    // Shapes found to hang on single rules: a thin outline whose closing corner is
    // mitred, a pen whose polygon has a side parallel to the line, a triangle
    // edge reaching past the image's right side.
    const DrawCommand found[] = {make_draw_command(DRAW_TRIANGLE, 0, 18, 100, -46, 39, 151, 137, -103),
                                 make_draw_command(DRAW_LINE, 0, 2, -280, 13, -268, 13),
                                 make_draw_command(DRAW_TRIANGLE, 0, 0, 299, 135, -250, 134, -93, -8)};
    std::mt19937 random(20240611);
    std::vector<std::pair<const char*, DrawCommand>> shapes;
    for (const DrawCommand& command : found) {
        shapes.emplace_back("found", command);
    }
    for (const Family& family : families) {
        for (int i = 0; i < 40; ++i) {
            shapes.emplace_back(family.name, family.make(random));
        }
    }
    for (const auto& [name, command] : shapes) {
        CairoReferenceCanvas cairo;
        PixelCanvas pixels;
        cairo.clear_white_framed();
        pixels.clear_white_framed();
        cairo.render(command, tavro::Rgb{0, 0, 255}, 300, 250);
        pixels.render(command, tavro::Rgb{0, 0, 255}, 300, 250);
        EXPECT_EQ(differing_pixels(cairo.pixel_rows(), pixels.pixel_rows()), 0)
            << name << ", width " << command.width << ": (" << command.x1 << "," << command.y1 << ") (" << command.x2
            << "," << command.y2 << ") (" << command.x3 << "," << command.y3 << ")";
    }
}

// The Cairo canvas draws text from glyphs Cairo rasterised once; they must land where
// Cairo's own text drawing puts them, every character, at small and large sizes.
TEST(CanvasParity, CairoCanvasGlyphsAreCairosText)
{
    std::string text;
    for (int byte = 1; byte < 256; ++byte) {
        text.push_back(static_cast<char>(byte % 32 == 0 ? '\n' : byte));
    }
    for (int size : {0, 7, 12, 40, 90}) {
        CairoCanvas glyphs;
        CairoReferenceCanvas cairo;
        const DrawCommand command = make_text_command(0, -3, 60, size, text.c_str());
        for (CairoCanvas* canvas : {&glyphs, static_cast<CairoCanvas*>(&cairo)}) {
            canvas->clear_white_framed();
            canvas->render(command, tavro::Rgb{0, 0, 255}, 0, 0);
        }
        EXPECT_EQ(differing_pixels(glyphs.pixel_rows(), cairo.pixel_rows()), 0) << "size " << size;
    }
}

TEST(CanvasParity, TextLinesAreAsHighOnBothCanvases)
{
    for (int size = 0; size <= 127; ++size) {
        EXPECT_EQ(PixelCanvas::text_line_height(size), CairoCanvas::text_line_height(size)) << "size " << size;
    }
}

}  // namespace
