// The fixed test picture drawn by the GDI canvas, for comparison with the
// headless host's: picture_gdi OUT.ppm. Runs the picture program for a second,
// then writes the drawing area, logical (-300, 250) at the top left, as a
// binary PPM; pixels that lie outside the image are written magenta.
#include "core/control.h"
#include "core/session.h"
#include "hosts/win32/win32_host.h"

#include <cstdio>

using namespace tavro;

namespace {

void CALLBACK end_run(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: picture_gdi OUT.ppm\n");
        return 2;
    }
    SetTimer(nullptr, 0, 1000, end_run);
    process_entry(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
    const tavro::GdiCanvas* canvas = tavro::win32_host().canvas();
    std::FILE* out = std::fopen(argv[1], "wb");
    if (canvas == nullptr || out == nullptr) {
        std::fprintf(stderr, "picture_gdi: cannot write %s\n", argv[1]);
        return 1;
    }
    std::fprintf(out, "P6\n601 501\n255\n");
    for (int y = 250; y >= -250; --y) {
        for (int x = -300; x <= 300; ++x) {
            const int column = session().windows.origin_x() + x;
            const int row = session().windows.origin_y() - y;
            const bool inside = column >= 0 && column < tavro::Canvas::WIDTH && row >= 0 && row < tavro::Canvas::HEIGHT;
            const tavro::Rgb colour = inside ? canvas->pixel(column, row) : tavro::Rgb{255, 0, 255};
            const unsigned char bytes[3] = {colour.r, colour.g, colour.b};
            std::fwrite(bytes, 1, 3, out);
        }
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
