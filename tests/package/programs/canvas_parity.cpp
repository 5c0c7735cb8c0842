// Draws the fixed picture with Cairo's own fills and strokes and with the pixel
// canvas and prints, for each family of shapes, how many pixels of its box differ.
#include "cairo_reference_canvas.h"
#include "canvas_redirect.h"
#include "fixed_picture.h"
#include "core/session.h"
#include "canvas/pixels/pixel_canvas.h"

#include <cstdio>

using namespace tavro;

int main()
{
    Display display;
    const PictureInput no_input;
    CairoReferenceCanvas cairo;
    tavro::PixelCanvas pixels;
    for (tavro::Canvas* canvas : {static_cast<tavro::Canvas*>(&cairo), static_cast<tavro::Canvas*>(&pixels)}) {
        CanvasRedirect redirect(*canvas);
        draw_fixed_picture(display, no_input);
    }
    std::printf("| family | pixels compared | differ |\n|---|---|---|\n");
    for (const PictureFamily& family : picture_families()) {
        const FamilyDifference d =
            compare_family(cairo, pixels, family, session().windows.origin_x(), session().windows.origin_y());
        std::printf("| %s | %d | %d |\n", family.name, d.compared, d.differing);
    }
    return 0;
}
