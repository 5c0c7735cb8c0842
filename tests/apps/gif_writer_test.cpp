// The animation writer, read back with the GIF library's own decoder.
#include "canvas/cairo/cairo_canvas.h"
#include "canvas/cairo/cairo_handles.h"
#include "core/colours.h"
#include <tavro/display.h>
#include "render/gif_writer.h"
#include "test_support.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace tavro;

namespace {

// Every frame of a GIF as the viewer shows it: each stored rectangle laid over
// the picture so far, its transparent pixels leaving what was there.
std::vector<std::vector<std::uint8_t>> shown_frames(GifFileType* gif)
{
    std::vector<std::vector<std::uint8_t>> frames;
    std::vector<std::uint8_t> picture(std::size_t(gif->SWidth) * gif->SHeight, 0);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        GraphicsControlBlock control{};
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        DGifSavedExtensionToGCB(gif, i, &control);
        const GifImageDesc& at = image.ImageDesc;
        for (int row = 0; row < at.Height; ++row) {
            for (int column = 0; column < at.Width; ++column) {
                const std::uint8_t index = image.RasterBits[row * at.Width + column];
                if (index != control.TransparentColor) {
                    picture[std::size_t(at.Top + row) * gif->SWidth + at.Left + column] = index;
                }
            }
        }
        frames.push_back(picture);
    }
    return frames;
}

// Pixels of the picture whose colour differs from the PNG's.
int differences(const std::vector<std::uint8_t>& picture, const ColorMapObject& map, const std::string& png, int width)
{
    tavro::CairoSurface surface(cairo_image_surface_create_from_png(png.c_str()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        return -1;
    }
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    int wrong = 0;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        std::uint32_t word = 0;
        std::memcpy(&word, data + (i / width) * stride + (i % width) * 4, sizeof word);
        const GifColorType& colour = map.Colors[picture[i]];
        wrong +=
            ((word >> 16) & 0xFF) != colour.Red || ((word >> 8) & 0xFF) != colour.Green || (word & 0xFF) != colour.Blue;
    }
    return wrong;
}

TEST(GifWriter, EveryStoredFrameIsThePngOfTheSameTick)
{
    TempDirectory directory;
    const std::string render = std::string(CITY_RENDER_PATH) + " --time 1700000100 --ticks ";
    // A run of k ticks ends with the frame drawn after its k-th tick.
    const int ticks[] = {1, 2, 5};
    for (int tick : ticks) {
        const std::string png = std::to_string(tick) + ".png";
        ASSERT_EQ(std::system((render + std::to_string(tick) + " --png " + png + " >/dev/null").c_str()), 0);
    }
    ASSERT_EQ(std::system((render + "5 --gif run.gif >/dev/null").c_str()), 0);
    EXPECT_EQ(read_file("run.gif").substr(0, 6), "GIF89a");

    int error = 0;
    GifFileType* gif = DGifOpenFileName("run.gif", &error);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    // The frame shown at start-up, one per tick, and the one drawn on quit.
    const auto frames = shown_frames(gif);
    ASSERT_EQ(frames.size(), 7u);
    for (int tick : ticks) {
        EXPECT_EQ(differences(frames[tick], *gif->SColorMap, std::to_string(tick) + ".png", gif->SWidth), 0)
            << "tick " << tick;
    }
    DGifCloseFile(gif, &error);
}

// The palette index every pixel of each shown frame has, or -1 for a frame of several colours.
std::vector<int> frame_colours(const std::string& path)
{
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr || DGifSlurp(gif) != GIF_OK) {
        return {};
    }
    std::vector<int> colours;
    for (const auto& frame : shown_frames(gif)) {
        // Inside the image's one-pixel black frame.
        const std::uint8_t inside = frame[std::size_t(gif->SWidth) + 1];
        const bool plain = std::all_of(frame.begin() + gif->SWidth, frame.end() - gif->SWidth,
                                       [&](std::uint8_t i) { return i == inside || i == COLOUR_BLACK; });
        colours.push_back(plain ? inside : -1);
    }
    DGifCloseFile(gif, &error);
    return colours;
}

TEST(GifWriter, HoldsTheFramesTheProgramShowedInOrder)
{
    TempDirectory directory;
    const std::string render = std::string(FRAME_COLOURS_PATH) + " --ticks 3 --png last.png ";
    ASSERT_EQ(std::system((render + "--gif every.gif >/dev/null").c_str()), 0);
    ASSERT_EQ(std::system((render + "--gif second.gif --gif-every 2 >/dev/null").c_str()), 0);
    EXPECT_EQ(frame_colours("every.gif"), (std::vector<int>{COLOUR_RED, COLOUR_GREEN, COLOUR_BLUE, COLOUR_YELLOW}));
    EXPECT_EQ(frame_colours("second.gif"), (std::vector<int>{COLOUR_RED, COLOUR_BLUE}));
    tavro::CairoSurface png(cairo_image_surface_create_from_png("last.png"));
    ASSERT_EQ(cairo_surface_status(png.get()), CAIRO_STATUS_SUCCESS);
    std::uint32_t centre = 0;
    std::memcpy(&centre,
                cairo_image_surface_get_data(png.get()) + 250 * cairo_image_surface_get_stride(png.get()) + 300 * 4,
                sizeof centre);
    EXPECT_EQ(centre & 0xFFFFFFu, 0xFFFF00u);
}

TEST(GifWriter, FramesStoreOnlyWhatChangedAndDecodeToThePalette)
{
    TempDirectory directory;
    tavro::CairoCanvas canvas;
    canvas.clear_white_framed();
    {
        GifWriter writer("run.gif", 601, 501, 20);
        ASSERT_TRUE(writer.is_open());
        EXPECT_TRUE(writer.add_frame(canvas));
        canvas.render(make_draw_command(DRAW_RECTANGLE, COLOUR_GOLD, 0, -10, 10, 10, -10), colour_values[COLOUR_GOLD],
                      300, 250);
        canvas.render(make_draw_command(DRAW_PIXEL, COLOUR_RED, 0, 20, -10, 0, 0), colour_values[COLOUR_RED], 300, 250);
        EXPECT_TRUE(writer.add_frame(canvas));
        EXPECT_TRUE(writer.add_frame(canvas));
        EXPECT_TRUE(writer.close());
    }
    int error = 0;
    GifFileType* gif = DGifOpenFileName("run.gif", &error);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    EXPECT_EQ(gif->SWidth, 601);
    EXPECT_EQ(gif->SHeight, 501);
    ASSERT_EQ(gif->ImageCount, 3);
    ASSERT_NE(gif->SColorMap, nullptr);
    const GifColorType gold = gif->SColorMap->Colors[COLOUR_GOLD];
    EXPECT_EQ(gold.Red, 204);
    EXPECT_EQ(gold.Green, 153);
    EXPECT_EQ(gold.Blue, 51);

    const SavedImage& first = gif->SavedImages[0];
    EXPECT_EQ(first.ImageDesc.Width, 601);
    EXPECT_EQ(first.RasterBits[0], COLOUR_BLACK);  // the frame's corner
    EXPECT_EQ(first.RasterBits[601 + 1], COLOUR_WHITE);

    const SavedImage& second = gif->SavedImages[1];
    EXPECT_EQ(second.ImageDesc.Left, 290);
    EXPECT_EQ(second.ImageDesc.Top, 240);
    EXPECT_EQ(second.ImageDesc.Width, 31);
    EXPECT_EQ(second.ImageDesc.Height, 21);
    EXPECT_EQ(second.RasterBits[0], COLOUR_GOLD);
    EXPECT_EQ(second.RasterBits[30], COLOUR_COUNT);  // unchanged, so transparent
    EXPECT_EQ(second.RasterBits[20 * 31 + 30], COLOUR_RED);

    EXPECT_EQ(gif->SavedImages[2].ImageDesc.Width, 1);  // nothing changed
    GraphicsControlBlock control;
    ASSERT_EQ(DGifSavedExtensionToGCB(gif, 2, &control), GIF_OK);
    EXPECT_EQ(control.DelayTime, 20);
    EXPECT_EQ(control.TransparentColor, COLOUR_COUNT);
    DGifCloseFile(gif, &error);
}

TEST(GifWriter, ColoursOutsideTheTableTakeTheNearestEntry)
{
    for (int i = 0; i < COLOUR_COUNT; ++i) {
        EXPECT_EQ(palette_index(colour_values[i].r, colour_values[i].g, colour_values[i].b), i);
    }
    EXPECT_EQ(palette_index(250, 5, 3), COLOUR_RED);
    EXPECT_EQ(palette_index(130, 126, 129), COLOUR_GRAY_50);
}

TEST(GifWriter, AnUnwritablePathOrImpossibleSizeIsReported)
{
    TempDirectory directory;
    tavro::CairoCanvas canvas;
    struct Case {
        const char* path;
        int width, height;
    };
    for (const Case& c : {Case{"/no/such/folder/run.gif", 10, 10}, Case{"empty.gif", 0, 10}, Case{"flat.gif", 10, 0},
                          Case{"wide.gif", tavro::Canvas::WIDTH + 1, 10}}) {
        GifWriter writer(c.path, c.width, c.height, 10);
        EXPECT_FALSE(writer.add_frame(canvas)) << c.path;
        EXPECT_FALSE(writer.close()) << c.path;
    }
}

}  // namespace
