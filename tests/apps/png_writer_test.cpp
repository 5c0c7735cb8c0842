// The PNG writer, read back with tavro-check's PNG reader (tested on other encoders' pictures).
#include "canvas/image_canvas.h"
#include "check/png_reader.h"
#include "render/png_writer.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

using namespace tavro;

namespace {

TEST(PngWriter, WritesThePartOfTheImageAskedFor)
{
    TempDirectory directory;
    std::unique_ptr<tavro::Canvas> canvas = tavro::make_image_canvas();
    canvas->clear_white_framed();
    DrawCommand dot;
    dot.kind = DRAW_PIXEL;
    canvas->render(dot, tavro::Rgb{255, 0, 0}, 300, 250);
    ASSERT_TRUE(write_png("client.png", canvas->pixel_rows(), 0, 0, 601, 501));

    std::string problem;
    const std::optional<Picture> png = read_png("client.png", problem);
    ASSERT_TRUE(png) << problem;
    EXPECT_EQ(png->width, 601);
    EXPECT_EQ(png->height, 501);
    const auto at = [&](int column, int row) { return png->pixels[std::size_t(row) * 601 + column] & 0xFFFFFFu; };
    EXPECT_EQ(at(300, 250), 0xFF0000u);
    EXPECT_EQ(at(0, 0), 0u);
    EXPECT_EQ(at(1, 1), 0xFFFFFFu);
    EXPECT_EQ(at(600, 500), 0u);
    EXPECT_EQ(at(599, 500), 0xFFFFFFu);

    EXPECT_FALSE(write_png("no/such/directory/client.png", canvas->pixel_rows(), 0, 0, 601, 501));
    EXPECT_FALSE(write_png("outside.png", canvas->pixel_rows(), 1, 0, 601, 501));
}

}  // namespace
