// The animation writer, read back with the GIF library's own decoder.
#include "cairo_canvas.h"
#include "colours.h"
#include <tavro/display.h>
#include "gif_writer.h"
#include "test_support.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

namespace {

TEST(GifWriter, FramesStoreOnlyWhatChangedAndDecodeToThePalette)
{
    TempDirectory directory;
    tavro::CairoCanvas canvas;
    canvas.clear_white_framed();
    {
        GifWriter writer("run.gif", 601, 501, 20);
        ASSERT_TRUE(writer.is_open());
        EXPECT_TRUE(writer.add_frame(canvas));
        canvas.render(make_draw_command(DRAW_RECTANGLE, COLOUR_GOLD, 0, -10, 10, 10, -10), colour_values[COLOUR_GOLD], 300, 250);
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
    EXPECT_EQ(first.RasterBits[0], COLOUR_BLACK);          // the frame's corner
    EXPECT_EQ(first.RasterBits[601 + 1], COLOUR_WHITE);

    const SavedImage& second = gif->SavedImages[1];
    EXPECT_EQ(second.ImageDesc.Left, 290);
    EXPECT_EQ(second.ImageDesc.Top, 240);
    EXPECT_EQ(second.ImageDesc.Width, 21);
    EXPECT_EQ(second.ImageDesc.Height, 21);
    EXPECT_EQ(second.RasterBits[0], COLOUR_GOLD);

    EXPECT_EQ(gif->SavedImages[2].ImageDesc.Width, 1);  // nothing changed
    GraphicsControlBlock control;
    ASSERT_EQ(DGifSavedExtensionToGCB(gif, 2, &control), GIF_OK);
    EXPECT_EQ(control.DelayTime, 20);
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

TEST(GifWriter, AnUnwritablePathIsReported)
{
    GifWriter writer("/no/such/folder/run.gif", 10, 10, 10);
    EXPECT_FALSE(writer.is_open());
    tavro::CairoCanvas canvas;
    EXPECT_FALSE(writer.add_frame(canvas));
    EXPECT_FALSE(writer.close());
}

}  // namespace
