// A whole headless run of the city, compared with references that were reviewed by eye:
// the log of every drawing call and the last frame's pixels.
#include "canvas/cairo/cairo_handles.h"
#include "render/render_run.h"
#include "test_support.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <iostream>
#include <sstream>
#include <string>

namespace {

constexpr std::time_t GOLDEN_TIME = 1700000100;

std::string read_gzip(const std::string& path)
{
    std::string contents;
    gzFile file = gzopen(path.c_str(), "rb");
    if (!file) {
        return contents;
    }
    char buffer[65536];
    int read = 0;
    while ((read = gzread(file, buffer, sizeof buffer)) > 0) {
        contents.append(buffer, static_cast<std::size_t>(read));
    }
    gzclose(file);
    return contents;
}

// Index of the first differing line, for a readable failure.
std::string first_difference(const std::string& actual, const std::string& expected)
{
    std::istringstream a(actual);
    std::istringstream e(expected);
    std::string line_a;
    std::string line_e;
    for (int number = 1;; ++number) {
        const bool more_a = static_cast<bool>(std::getline(a, line_a));
        const bool more_e = static_cast<bool>(std::getline(e, line_e));
        if (!more_a && !more_e) {
            return "none";
        }
        if (line_a != line_e || more_a != more_e) {
            return "line " + std::to_string(number) + ": got '" + line_a + "', expected '" + line_e + "'";
        }
    }
}

TEST(GoldenRun, LogAndLastFrameMatchTheReviewedReferences)
{
    const std::string script = source_path("tests/golden/city_run.scr");
    const std::string reference_log = read_gzip(source_path("tests/golden/city_run.log.gz"));
    const std::string reference_png = source_path("tests/golden/city_run.png");
    ASSERT_FALSE(reference_log.empty());

    TempDirectory directory;
    RenderOptions options;
    options.ticks = 1000;
    options.start_time = GOLDEN_TIME;
    options.script = script;
    options.log = directory.path() + "/run.log";
    options.png = directory.path() + "/run.png";
    std::ostringstream report;
    ASSERT_EQ(run_render(options, "city-render", report, std::cerr), 0);

    const std::string log = read_file(options.log);
    EXPECT_TRUE(log == reference_log) << first_difference(log, reference_log);

    tavro::CairoSurface actual(cairo_image_surface_create_from_png(options.png.c_str()));
    tavro::CairoSurface expected(cairo_image_surface_create_from_png(reference_png.c_str()));
    ASSERT_EQ(cairo_surface_status(actual.get()), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_surface_status(expected.get()), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(actual.get()), 601);
    ASSERT_EQ(cairo_image_surface_get_height(actual.get()), 501);
    ASSERT_EQ(cairo_image_surface_get_width(expected.get()), 601);
    ASSERT_EQ(cairo_image_surface_get_height(expected.get()), 501);
    const int stride = cairo_image_surface_get_stride(actual.get());
    ASSERT_EQ(stride, cairo_image_surface_get_stride(expected.get()));
    const unsigned char* a = cairo_image_surface_get_data(actual.get());
    const unsigned char* e = cairo_image_surface_get_data(expected.get());
    int differing = 0;
    for (int row = 0; row < 501; ++row) {
        for (int column = 0; column < 601; ++column) {
            const int at = row * stride + column * 4;
            // Colour bytes only: the alpha byte of an opaque picture carries nothing.
            differing += (a[at] != e[at] || a[at + 1] != e[at + 1] || a[at + 2] != e[at + 2]) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
