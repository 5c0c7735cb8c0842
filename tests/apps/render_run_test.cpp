// Whole headless runs: how ticks, the clock and a script end them.
#include "core/dialog_answers.h"
#include "hosts/headless/headless_driver.h"
#include "render/render_run.h"
#include "render/scratch_files.h"
#include "core/run_menu.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <sstream>

using namespace tavro;

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

// A program that starts animating on a key the script gives still ends with the script, in the
// folder it was started in (it reads radius.txt there).
TEST(RenderRun, AScriptedRunEndsWithItsScriptWhateverTheProgramSets)
{
    TempDirectory directory;
    write_file("radius.txt", "25\n");
    write_file("key.scr", "TAVRO_PERIODIC(2);\nTAVRO_KBD(97);\nTAVRO_PERIODIC(3);\nTAVRO_MOUSE(10, 10);\n");
    const std::string command =
        native_path(ANIMATE_ON_KEY_PATH) + " --ticks 1000 --time 0 --script key.scr --log run.log > out.txt";
    ASSERT_EQ(shell_status(command), 0);
    EXPECT_EQ(read_text_file("out.txt").rfind("animate_on_key-render: 5 ticks, ", 0), 0u) << read_text_file("out.txt");
    const std::string log = read_text_file("run.log");
    EXPECT_NE(log.find("red circle at (0,0), radius 25\n"), std::string::npos) << log;
    const std::string last_line = "EOF encountered in script file TAVRO.SCR\n";
    EXPECT_EQ(log.substr(log.size() - std::min(log.size(), last_line.size())), last_line);
}

#ifndef _WIN32
// A recording that cannot be kept (its file is /dev/full) says so in the text window, and the
// render entry's status says so.
TEST(RenderRun, ARecordingThatCannotBeWrittenFailsTheRun)
{
    TempDirectory directory;
    std::filesystem::create_symlink("/dev/full", "TAVRO.SCR");
    write_file("click.scr", "TAVRO_MOUSE(10, 10);\n");
    RenderOptions options = options_at(1000);
    options.script = "click.scr";
    options.log = "run.log";
    tavro::headless_driver().choose_menu(COMMAND_RECORD);
    std::ostringstream report;
    std::ostringstream errors;
    EXPECT_EQ(run_render(options, "city-render", report, errors), 1);
    EXPECT_EQ(errors.str(), "city-render: cannot write script file TAVRO.SCR: the recording lost lines\n");
    const std::string log = read_text_file("run.log");
    EXPECT_NE(log.find("\nCannot write script file TAVRO.SCR\n"), std::string::npos);
}
#endif

#ifndef _WIN32
// When one output fails (a log onto a full device), no other is put in place: the picture
// written earlier under its name stays as it was, and no temporary file is left beside it.
TEST(RenderRun, AFailedOutputLeavesTheOthersAsTheyWere)
{
    TempDirectory directory;
    write_file("last.png", "an earlier picture");
    RenderOptions options = options_at(1000);
    options.ticks = 0;
    options.png = "last.png";
    options.log = "/dev/full";
    std::ostringstream report;
    std::ostringstream errors;
    EXPECT_EQ(run_render(options, "city-render", report, errors), 1);
    EXPECT_EQ(errors.str(), "city-render: cannot write /dev/full: No space left on device\n");
    EXPECT_EQ(read_file("last.png"), "an earlier picture");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()), 1);
}
#endif

struct AnsweredRun {
    const char* arguments;
    const char* script;
    std::vector<std::string> lines;  // in the transcript in this order, among others
};

// The dialog takes the replies in order; with none left it gives an empty one, and says so.
TEST(RenderRun, TheDialogTakesTheAnswersInOrder)
{
    TempDirectory directory;
    write_file("names.txt", "Ada\r\nBob\n");
    const std::string ada = "purple text at (-200,20), \"Hello, Ada!\"";
    const std::string bob = "purple text at (-200,20), \"Hello, Bob!\"";
    const std::string none = NO_ANSWER_LEFT_LINE;
    const AnsweredRun runs[] = {
        {"--answer Ada", "TAVRO_KBD(110);\n", {ada}},
        {"--answers names.txt", "TAVRO_KBD(110);\nTAVRO_KBD(110);\n", {ada, bob}},
        {"--answer Bob --answers names.txt", "TAVRO_KBD(110);\nTAVRO_KBD(110);\n", {bob, ada}},
        {"--answer Ada", "TAVRO_KBD(110);\nTAVRO_KBD(110);\n", {ada, none, "Press n"}},
    };
    for (const AnsweredRun& run : runs) {
        write_file("names.scr", run.script);
        const std::string command = native_path(GREETING_RENDER_PATH) + " --time 0 --script names.scr --log run.log " +
                                    run.arguments + " > out.txt 2> errors.txt";
        ASSERT_EQ(shell_status(command), 0) << command;
        const std::string log = read_text_file("run.log");
        std::size_t at = 0;
        for (const std::string& line : run.lines) {
            at = log.find(line, at);
            ASSERT_NE(at, std::string::npos) << run.arguments << ": no " << line << " in\n" << log;
            at += line.size();
        }
        EXPECT_EQ(log.find("Hello", at), std::string::npos) << run.arguments << ": in\n" << log;
    }
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
