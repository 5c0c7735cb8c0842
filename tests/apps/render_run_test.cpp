// Whole headless runs: how ticks, the clock and a script end them.
#include "hosts/headless/headless_driver.h"
#include "render/render_run.h"
#include "render/scratch_files.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <sstream>

namespace {

RenderOptions options_at(std::time_t start)
{
    RenderOptions options;
    options.start_time = start;
    return options;
}

TEST(RenderRun, EachTickOfARunWithoutScriptIsATimerTick)
{
    // A start after 2038, past a 32-bit clock (32-bit Windows programs have a 64-bit one too).
    RenderOptions options = options_at(4102444800);
    options.ticks = 25;
    std::ostringstream report;
    ASSERT_EQ(run_render(options, "city-render", report, std::cerr), 0);
    EXPECT_EQ(report.str(), "city-render: 25 ticks, 27 frames\n");
    EXPECT_EQ(tavro::headless_driver().timer_ticks_delivered(), 25);
    EXPECT_EQ(tavro::headless_driver().clock_seconds(), 4102444802);
}

TEST(RenderRun, ZeroTicksDrawsOneFrame)
{
    TempDirectory directory;
    RenderOptions options = options_at(1000);
    options.ticks = 0;
    options.png = "only.png";
    options.log = "only.log";
    std::ostringstream report;
    ASSERT_EQ(run_render(options, "city-render", report, std::cerr), 0);
    EXPECT_EQ(tavro::headless_driver().timer_ticks_delivered(), 0);
    EXPECT_TRUE(file_exists("only.png"));
    // One logged frame: it starts with the scenery's clear.
    const std::string log = read_text_file("only.log");
    EXPECT_EQ(log.rfind("Flushing the graphics window\nClearing the graphics window\n", 0), 0u);
    EXPECT_EQ(log.find("Flushing the graphics window", 1), std::string::npos);
}

TEST(RenderRun, AScriptPlaysWithoutTimerTicksAndEndsTheRun)
{
    TempDirectory directory;
    write_file("short.scr", "TAVRO_PERIODIC(7);\nTAVRO_MOUSE(280, -240);\nTAVRO_PERIODIC(2);\n");
    RenderOptions options = options_at(1000);
    options.script = "short.scr";
    options.gif = "short.gif";
    options.gif_every = 2;
    std::ostringstream report;
    ASSERT_EQ(run_render(options, "city-render", report, std::cerr), 0);
    // Nine periodic events and a click, then the script ends, the city halts and the run quits.
    const std::string gif = (std::filesystem::path(directory.path()) / "short.gif").string();
    EXPECT_EQ(report.str(), "city-render: 9 ticks, 12 frames, wrote " + gif + "\n");
    EXPECT_EQ(tavro::headless_driver().timer_ticks_delivered(), 0);
    EXPECT_TRUE(file_exists("short.gif"));
    EXPECT_TRUE(file_exists("short.scr"));
    EXPECT_FALSE(file_exists("TAVRO.SCR"));
}

TEST(RenderRun, TheTickLimitEndsAScriptEarly)
{
    TempDirectory directory;
    write_file("long.scr", "TAVRO_PERIODIC(500);\n");
    RenderOptions options = options_at(1000);
    options.script = "long.scr";
    options.ticks = 12;
    std::ostringstream report;
    ASSERT_EQ(run_render(options, "city-render", report, std::cerr), 0);
    EXPECT_EQ(report.str(), "city-render: 12 ticks, 14 frames\n");
}

// An output is complete or absent: never a partial file under its name or beside it.
TEST(RenderRun, AnOutputIsRenamedIntoPlaceOrLeavesNothing)
{
    TempDirectory directory;
    std::filesystem::create_directory("gone");
    std::string reason;
    {
        OutputFile abandoned(directory.path() + "/gone/a.png");
        ASSERT_TRUE(abandoned.create(reason));
        EXPECT_TRUE(file_exists(abandoned.temporary_path()));
    }
    EXPECT_TRUE(std::filesystem::is_empty("gone"));

    OutputFile output(directory.path() + "/gone/b.png");
    ASSERT_TRUE(output.create(reason));
    std::filesystem::remove_all("gone");
    EXPECT_FALSE(output.commit(reason));
#ifdef _WIN32
    EXPECT_FALSE(reason.empty());  // the system's words, which Wine and Windows choose differently
#else
    EXPECT_EQ(reason, "No such file or directory");
#endif
    EXPECT_FALSE(file_exists("gone/b.png"));
}

}  // namespace
