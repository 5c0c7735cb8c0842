// city-render's arguments: what it accepts, and one clear line and status 2 for anything else.
#include "render/render_options.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <tavro/version.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace tavro;

namespace {

std::optional<RenderOptions> parse(std::vector<const char*> arguments, std::string& error)
{
    arguments.insert(arguments.begin(), "city-render");
    return parse_render_options(static_cast<int>(arguments.size()), arguments.data(), error);
}

TEST(RenderOptions, DefaultsAndEveryOption)
{
    std::string error;
    auto defaults = parse({}, error);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->tick_limit(), 100);
    EXPECT_FALSE(defaults->start_time);
    EXPECT_EQ(defaults->gif_every, 1);

    TempDirectory directory;
    write_file("run.scr", "TAVRO_PERIODIC(1);\n");
    write_file("names.txt", "Ada\r\n\nBob");
    auto all = parse({"--ticks",   "0",         "--time",   "1700000000", "--script",    "run.scr", "--log",    "a.log",
                      "--png",     "a.png",     "--gif",    "a.gif",      "--gif-every", "3",       "--answer", "Cy",
                      "--answers", "names.txt", "--answer", "",           "--max-log",   "1000"},
                     error);
    ASSERT_TRUE(all) << error;
    EXPECT_EQ(all->tick_limit(), 0);
    EXPECT_EQ(*all->start_time, 1700000000);
    EXPECT_EQ(all->script, "run.scr");
    EXPECT_EQ(all->gif_every, 3);
    // In the order given, a file's lines where it stands; a line end written on Windows is no part of a reply.
    EXPECT_EQ(all->answers, (std::vector<std::string>{"Cy", "Ada", "", "Bob", ""}));
    EXPECT_EQ(all->max_log, 1000);
    // With a script and no --ticks, the whole script plays.
    EXPECT_EQ(parse({"--script", "run.scr"}, error)->tick_limit(), std::nullopt);
    EXPECT_FALSE(file_exists("a.log") || file_exists("a.png") || file_exists("a.gif"));
}

struct BadArguments {
    std::vector<const char*> arguments;
    const char* problem;
};

TEST(RenderOptions, EachBadArgumentIsNamed)
{
    TempDirectory directory;
    std::filesystem::create_directory("folder");
    write_file("run.scr", "TAVRO_PERIODIC(1);\n");
    std::vector<BadArguments> cases = {
        {{"--fast"}, "unknown option '--fast'"},
        {{"--ticks"}, "option --ticks needs a value"},
        {{"--ticks", "ten"}, "option --ticks takes a whole number, not 'ten'"},
        {{"--ticks", "5x"}, "option --ticks takes a whole number, not '5x'"},
        {{"--ticks", "-1"}, "--ticks must be 0 or more, not -1"},
        {{"--gif-every", "0"}, "--gif-every must be 1 to 6553, not 0"},
        {{"--time", ""}, "option --time takes a whole number, not ''"},
        {{"--time", " 1700000000"}, "option --time takes a whole number, not ' 1700000000'"},
        {{"--time", "-5"}, "--time must be 0 to 253402300799 seconds, not -5"},
        {{"--script", "missing.scr"}, "cannot read script file 'missing.scr'"},
        {{"--script", "folder"}, "script file 'folder' is not a regular file"},
        {{"--png", "no/such/folder/a.png"},
         "cannot write output file 'no/such/folder/a.png': no folder no/such/folder"},
        {{"--gif", "folder"}, "cannot write output file 'folder': it is a folder"},
        {{"--png", "-"}, "option --png needs a file name: '-' (standard output) is for --log only"},
        {{"--png", ""}, "option --png needs a file name, not an empty one"},
        {{"--time", "9223372036854775807"}, "--time must be 0 to 253402300799 seconds, not 9223372036854775807"},
        {{"--gif-every", "6554"}, "--gif-every must be 1 to 6553, not 6554"},
        {{"--script", "run.scr", "--log", "./run.scr"}, "--log './run.scr' is the script file"},
        {{"--png", "a.out", "--gif", "folder/../a.out"}, "--gif 'folder/../a.out' is also the file of --png"},
        {{"--answers", "missing.txt"}, "cannot read answers file 'missing.txt'"},
        {{"--answers", "folder"}, "answers file 'folder' is not a regular file"},
        {{"--answers", "run.scr", "--log", "run.scr"}, "--log 'run.scr' is the answers file"},
        {{"--max-log", "0"}, "--max-log must be 1 or more bytes, not 0"},
    };
#ifndef _WIN32
    // Pipes and links of the Linux file system.
    ASSERT_EQ(mkfifo("fifo", 0600), 0);
    std::filesystem::create_symlink("run.scr", "link.scr");
    std::filesystem::create_symlink("new.png", "to-new.png");
    cases.push_back({{"--script", "fifo"}, "script file 'fifo' is not a regular file"});
    cases.push_back({{"--script", "run.scr", "--png", "link.scr"}, "--png 'link.scr' is the script file"});
    cases.push_back({{"--log", "to-new.png", "--png", "new.png"}, "--png 'new.png' is also the file of --log"});
#endif
    for (const BadArguments& bad : cases) {
        std::string error;
        EXPECT_FALSE(parse(bad.arguments, error));
        EXPECT_EQ(error, bad.problem);
    }
}

struct ToolRun {
    const char* arguments;
    int status;
    const char* out_start;  // what standard output starts with
    const char* error;      // the one line on standard error, or "" for none
};

// The whole program: statuses, its two streams, and nothing left behind.
TEST(RenderOptions, TheToolAnswersEachCaseWithItsStatus)
{
    TempDirectory directory;
    write_file("run.scr", "TAVRO_PERIODIC(2);\n");
    std::vector<ToolRun> cases = {
        {"--png out.png --log out.log --gif out.gif --ticks -3", 2, "",
         "city-render: --ticks must be 0 or more, not -3 (usage: city-render [--ticks N]"},
        {"--help", 0, "usage: city-render [--ticks N]", ""},
        {"--version", 0, "city-render (TAVRO ", ""},
        // A log that grows without end stops the run; the unfinished log is removed.
        {"--ticks 1000 --log out.log --max-log 3000", 1, "",
         "city-render: the log grew past 3000 bytes: the run was stopped"},
    };
#ifndef _WIN32
    // A folder that refuses new files: an ordinary user is told before the run (status 2),
    // the superuser, whom permissions do not stop, when the file cannot be made (status 1).
    cases.push_back(
        {"--ticks 0 --log /proc/out.log", access("/proc", W_OK) == 0 ? 1 : 2, "", "city-render: cannot write "});
#endif
    for (const ToolRun& run : cases) {
        const std::string command = native_path(CITY_RENDER_PATH) + " " + run.arguments + " > out.txt 2> errors.txt";
        EXPECT_EQ(shell_status(command), run.status) << run.arguments;
        EXPECT_EQ(read_file("out.txt").rfind(run.out_start, 0), 0u) << run.arguments;
        const std::string errors = read_file("errors.txt");
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), *run.error ? 1 : 0) << run.arguments;
        EXPECT_EQ(errors.rfind(run.error, 0), 0u) << errors;
        EXPECT_FALSE(file_exists("out.png") || file_exists("out.log") || file_exists("out.gif")) << run.arguments;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 3) << run.arguments;
    }
}

struct OutputRun {
    const char* arguments;
    const char* standard_output;  // where the program's standard output goes
    int status;
    enum { nothing, transcript, report } holds;  // what standard output then holds
    std::string error;                           // standard error, whole
};

// An output name that is a link is written through to its target; a pipe, a terminal or a
// device is written straight into; "-" is standard output, and the report keeps out of it.
TEST(RenderOptions, OutputsGoThroughLinksAndIntoStreams)
{
    TempDirectory directory;
    const std::string transcript = read_file(source_path("examples/transcripts/first_picture.log"));
    const std::string ran = "first_picture-render: 1 ticks, 2 frames, wrote ";
#ifdef _WIN32
    // NUL is the device that takes anything; its full name is the system's.
    const std::string report;
    const OutputRun cases[] = {
        {"--log -", "> out.txt", 0, OutputRun::transcript, ran + "the log to standard output\n"},
        {"--png NUL", "> out.txt", 0, OutputRun::nothing, ran + "\\\\.\\NUL\n"},
    };
#else
    write_file("real.log", "old");
    std::filesystem::create_symlink("real.log", "link.log");
    const std::string report = ran + directory.path() + "/link.log\n";
    const OutputRun cases[] = {
        {"--log link.log", "> out.txt", 0, OutputRun::report, ""},
        {"--log -", "| cat > out.txt", 0, OutputRun::transcript, ran + "the log to standard output\n"},
        {"--log /dev/stdout", "| cat > out.txt", 0, OutputRun::transcript, ran + "/dev/stdout\n"},
        // A descriptor's name leads to out.txt; it is written into, not replaced, like a stream.
        // (Not /dev/stdout here: a regression would replace that link for the whole machine.)
        {"--log /dev/fd/1", "> out.txt", 0, OutputRun::transcript, ran + "/dev/fd/1\n"},
        {"--png /dev/null", "> out.txt", 0, OutputRun::nothing, ran + "/dev/null\n"},
        {"--log /dev/full", "> out.txt", 1, OutputRun::nothing,
         "first_picture-render: cannot write /dev/full: No space left on device\n"},
        {"--log -", "> /dev/full", 1, OutputRun::nothing,
         "first_picture-render: cannot write the log to standard output: No space left on device\n"},
    };
#endif
    for (const OutputRun& run : cases) {
        write_file("out.txt", "");
        const std::string program = native_path(EXAMPLE_RENDER_PATH) + " --time 1700000000 --script " +
                                    source_path("examples/scripts/first_picture.scr") + " " + run.arguments +
                                    " 2> errors.txt";
#ifdef _WIN32
        const std::string command = program + " " + run.standard_output;
        const int status = shell_status(command);
#else
        // The status of the program, not of the pipe's last command.
        const std::string command = "(" + program + "; echo $? > status.txt) " + run.standard_output;
        ASSERT_EQ(shell_status(command), 0) << command;
        const int status = std::stoi(read_file("status.txt"));
#endif
        EXPECT_EQ(status, run.status) << command;
        EXPECT_EQ(read_text_file("errors.txt"), run.error) << command;
        const std::string holds[] = {"", transcript, report};
        EXPECT_EQ(read_text_file("out.txt"), holds[run.holds]) << command;
    }
#ifndef _WIN32
    EXPECT_TRUE(std::filesystem::is_symlink("link.log"));
    EXPECT_EQ(read_file("real.log"), transcript);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null") && std::filesystem::is_symlink("/dev/stdout"));
#endif
}

// Every program rendered headless has city-render's command line: the one render entry.
TEST(RenderOptions, AnyProgramHasTheSameCommandLine)
{
    TempDirectory directory;
    const auto help_of = [](const std::string& program, const std::string& name) {
        EXPECT_EQ(shell_status(native_path(program) + " --help > help.txt"), 0);
        std::string help = read_text_file("help.txt");
        for (std::size_t at = help.find(name); at != std::string::npos; at = help.find(name, at)) {
            help.replace(at, name.size(), "PROGRAM");
        }
        return help;
    };
    const std::string city = help_of(CITY_RENDER_PATH, "city-render");
    EXPECT_NE(city.find("--gif-every K"), std::string::npos);
    EXPECT_EQ(help_of(EXAMPLE_RENDER_PATH, "first_picture-render"), city);

    // Its version is the package's, from the one header that holds it.
    EXPECT_EQ(shell_status(native_path(EXAMPLE_RENDER_PATH) + " --version > version.txt"), 0);
    EXPECT_EQ(read_text_file("version.txt"), "first_picture-render (TAVRO " TAVRO_VERSION_STRING ")\n");
}

}  // namespace
