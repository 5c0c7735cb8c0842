// The PNG reader, on pictures written by other encoders (tests/check/pictures/make): one
// 24 x 16 picture with no row filter, with libpng's choice of filters, with each filter in turn.
#include "check/png_reader.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

std::string picture_path(const std::string& name) { return source_path("tests/check/pictures/" + name); }

std::uint32_t at(const Picture& picture, int x, int y) { return picture.pixels[std::size_t(y) * picture.width + x]; }

TEST(PngReader, ReadsEveryRowFilterInRgbAndRgba)
{
    std::string problem;
    const std::optional<Picture> plain = read_png(picture_path("rgb-none.png"), problem);
    ASSERT_TRUE(plain) << problem;
    ASSERT_EQ(plain->width, 24);
    ASSERT_EQ(plain->height, 16);
    // Two pixels as ImageMagick reads them.
    EXPECT_EQ(at(*plain, 5, 3), 0xFF3EA752u);
    EXPECT_EQ(at(*plain, 23, 15), 0xFF133E27u);

    for (const char* name : {"rgb-sub-average-paeth.png", "rgb-each-filter.png"}) {
        const std::optional<Picture> filtered = read_png(picture_path(name), problem);
        ASSERT_TRUE(filtered) << problem;
        EXPECT_EQ(filtered->pixels, plain->pixels) << name;
    }

    // RGBA with libpng's filters; the alpha is 10 times the column.
    const std::optional<Picture> rgba = read_png(picture_path("rgba.png"), problem);
    ASSERT_TRUE(rgba) << problem;
    ASSERT_EQ(rgba->pixels.size(), plain->pixels.size());
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 24; ++x) {
            ASSERT_EQ(at(*rgba, x, y), (at(*plain, x, y) & 0xFFFFFFu) | std::uint32_t(10 * x) << 24) << x << ", " << y;
        }
    }
}

TEST(PngReader, RefusesWhatItCannotReadSayingWhy)
{
    TempDirectory directory;
    const std::string good = read_file(picture_path("rgb-none.png"));
    write_file("short.png", good.substr(0, good.size() - 20));
    std::string damaged = good;
    damaged[50] = static_cast<char>(damaged[50] ^ 1);  // inside the image data
    write_file("damaged.png", damaged);
    write_file("text.png", "not a picture\n");
    const std::pair<std::string, const char*> cases[] = {
        {picture_path("grey.png"), "its colours are grey; only 8-bit RGB and RGBA pictures are read"},
        {picture_path("palette.png"), "its colours are palette; only 8-bit RGB and RGBA pictures are read"},
        {picture_path("sixteen-bit.png"), "it has 16-bit samples; only 8-bit RGB and RGBA pictures are read"},
        {picture_path("interlaced.png"), "it is interlaced; only pictures that are not are read"},
        {"short.png", "it is cut short"},
        {"damaged.png", "it is damaged: chunk IDAT fails its check"},
        {"text.png", "it is not a PNG file"},
        {"missing.png", "No such file or directory"},
    };
    for (const auto& [path, reason] : cases) {
        std::string problem;
        EXPECT_FALSE(read_png(path, problem)) << path;
        EXPECT_EQ(problem, reason) << path;
    }
}

}  // namespace
