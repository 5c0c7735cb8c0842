// Draws the fixed picture with the Cairo canvas and with the pixel canvas and
// prints, for each family of shapes, how many pixels of its box differ.
#include "canvas_redirect.h"
#include "fixed_picture.h"
#include "hosts/headless/headless_host.h"
#include "package_state.h"
#include "canvas/pixels/pixel_canvas.h"

#include <cstdio>

int main()
{
    Display display;
    const PictureInput no_input;
    draw_fixed_picture(display, no_input);
    tavro::PixelCanvas pixels;
    {
        CanvasRedirect redirect(pixels);
        draw_fixed_picture(display, no_input);
    }
    std::printf("| family | pixels compared | differ |\n|---|---|---|\n");
    for (const PictureFamily& family : picture_families()) {
        const FamilyDifference d = compare_family(tavro::headless_host().canvas(), pixels, family,
                                                  package_state.windows.origin_x, package_state.windows.origin_y);
        std::printf("| %s | %d | %d |\n", family.name, d.compared, d.differing);
    }
    return 0;
}
