// The PNG reader, on pictures written by other encoders (tests/check/pictures/make): one
// 24 x 16 picture with no row filter, with libpng's choice of filters, with each filter in turn.
#include "check/input_file.h"
#include "check/png_reader.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <zlib.h>

using namespace tavro;

namespace {

std::string u32(std::uint32_t value)
{
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
            static_cast<char>(value)};
}

std::string chunk(const std::string& type, const std::string& data)
{
    const std::string body = type + data;
    const auto* bytes = reinterpret_cast<const Bytef*>(body.data());
    return u32(static_cast<std::uint32_t>(data.size())) + body +
           u32(static_cast<std::uint32_t>(crc32(crc32(0L, Z_NULL, 0), bytes, static_cast<uInt>(body.size()))));
}

// A PNG file of 8-bit samples: the header, the chunks given, the rows (each with its filter
// byte) compressed, the end.
std::string png_file(std::uint32_t width, std::uint32_t height, char colour_type, const std::string& chunks,
                     const std::string& rows)
{
    uLongf size = compressBound(static_cast<uLong>(rows.size()));
    std::string packed(size, '\0');
    compress(reinterpret_cast<Bytef*>(&packed[0]), &size, reinterpret_cast<const Bytef*>(rows.data()),
             static_cast<uLong>(rows.size()));
    packed.resize(size);
    return std::string("\x89PNG\r\n\x1a\n", 8) +
           chunk("IHDR", u32(width) + u32(height) + std::string{8, colour_type, 0, 0, 0}) + chunks +
           chunk("IDAT", packed) + chunk("IEND", "");
}

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
    // Sizes refused from the header alone: nothing is made for them, whatever follows.
    write_file("huge.png", png_file(0xFFFFFFFF, 0xFFFFFFFF, 2, "", ""));
    write_file("wide.png", png_file((1 << 26) + 1, 1, 2, "", ""));
    write_file("tall.png", png_file(1 << 16, 1 << 16, 2, "", ""));
    write_file("rgba-trns.png", png_file(1, 1, 6, chunk("tRNS", std::string(6, '\0')), std::string(5, '\0')));
    const std::pair<std::string, const char*> cases[] = {
        {picture_path("grey.png"), "its colours are grey; only 8-bit RGB and RGBA pictures are read"},
        {picture_path("palette.png"), "its colours are palette; only 8-bit RGB and RGBA pictures are read"},
        {picture_path("sixteen-bit.png"), "it has 16-bit samples; only 8-bit RGB and RGBA pictures are read"},
        {picture_path("interlaced.png"), "it is interlaced; only pictures that are not are read"},
        {"short.png", "it is cut short"},
        {"damaged.png", "it is damaged: chunk IDAT fails its check"},
        {"text.png", "it is not a PNG file"},
        {"missing.png", "No such file or directory"},
        {".", "it is a folder"},
        {"huge.png", "its size 4294967295 x 4294967295 is not supported"},
        {"wide.png", "its size 67108865 x 1 is not supported"},
        {"tall.png", "its size 65536 x 65536 is not supported"},
        {"rgba-trns.png", "it is damaged: its tRNS chunk does not fit its colours"},
#ifndef _WIN32
        {"/dev/zero", "it is not a regular file"},
#endif
    };
    for (const auto& [path, reason] : cases) {
        std::string problem;
        EXPECT_FALSE(read_png(path, problem)) << path;
        EXPECT_EQ(problem, reason) << path;
    }
}

TEST(PngReader, AnRgbPicturesTransparentColourReadsAsAlphaZero)
{
    // Two pixels: the transparent colour (1, 2, 3) and one that differs from it in blue only.
    const std::string rows = std::string("\0\1\2\3\1\2\4", 7);
    const std::string key = std::string("\0\1\0\2\0\3", 6);
    std::string problem;
    const std::optional<Picture> picture = decode_png(png_file(2, 1, 2, chunk("tRNS", key), rows), problem);
    ASSERT_TRUE(picture) << problem;
    EXPECT_EQ(picture->pixels, (std::vector<std::uint32_t>{0x00010203u, 0xFF010204u}));
}

TEST(PngReader, ReadsNoMoreThanItsCap)
{
    TempDirectory directory;
    write_file("big", std::string(1001, 'x'));
    std::string problem;
    EXPECT_FALSE(read_input_file("big", problem, 1000));
    EXPECT_EQ(problem, "it is larger than 1000 bytes");
    EXPECT_EQ(read_input_file("big", problem, 1001).value_or(""), std::string(1001, 'x'));
}

}  // namespace
