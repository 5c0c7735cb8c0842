// The PNG writer, read back with Cairo's own PNG reader.
#include "canvas/cairo/cairo_handles.h"
#include "canvas/image_canvas.h"
#include "render/png_writer.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

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

    tavro::CairoSurface png(cairo_image_surface_create_from_png("client.png"));
    ASSERT_EQ(cairo_surface_status(png.get()), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(png.get()), 601);
    EXPECT_EQ(cairo_image_surface_get_height(png.get()), 501);
    cairo_surface_flush(png.get());
    const unsigned char* data = cairo_image_surface_get_data(png.get());
    const int stride = cairo_image_surface_get_stride(png.get());
    const auto at = [&](int column, int row) {
        const auto* pixel = reinterpret_cast<const std::uint32_t*>(data + row * stride) + column;
        return *pixel & 0xFFFFFFu;
    };
    EXPECT_EQ(at(300, 250), 0xFF0000u);
    EXPECT_EQ(at(0, 0), 0u);
    EXPECT_EQ(at(1, 1), 0xFFFFFFu);
    EXPECT_EQ(at(600, 500), 0u);
    EXPECT_EQ(at(599, 500), 0xFFFFFFu);

    EXPECT_FALSE(write_png("no/such/directory/client.png", canvas->pixel_rows(), 0, 0, 601, 501));
    EXPECT_FALSE(write_png("outside.png", canvas->pixel_rows(), 1, 0, 601, 501));
}

}  // namespace
