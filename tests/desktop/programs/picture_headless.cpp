// The picture program without a screen: picture_headless OUT.png [INPUT]...
// where each INPUT is "click COLUMN ROW" (a client pixel), "type CODE" (a key
// that types the character CODE) or "ctrl LETTER". Runs until the input is used
// up and writes the drawing area as it was last shown.
#include "hosts/headless/headless_driver.h"
#include "render/png_writer.h"
#include "core/control.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace tavro;

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: picture_headless OUT.png [click C R | type CODE | ctrl L]...\n");
        return 2;
    }
    tavro::HeadlessDriver& driver = tavro::headless_driver();
    for (int i = 2; i < argc;) {
        const std::string input = argv[i];
        if (input == "click" && i + 2 < argc) {
            driver.click_client(std::atoi(argv[i + 1]), std::atoi(argv[i + 2]));
            i += 3;
        } else if (input == "type" && i + 1 < argc) {
            driver.type_character(std::atoi(argv[i + 1]));
            i += 2;
        } else if (input == "ctrl" && i + 1 < argc) {
            driver.ctrl_shortcut(argv[i + 1][0]);
            i += 2;
        } else {
            std::fprintf(stderr, "picture_headless: cannot read input '%s'\n", argv[i]);
            return 2;
        }
    }
    process_entry(nullptr, nullptr, "", 1);
    const tavro::PixelRows image = driver.canvas().pixel_rows();
    return write_png(argv[1], image, 0, 0, tavro::CLIENT_WIDTH, tavro::CLIENT_HEIGHT) ? 0 : 1;
}
