// city-render's arguments: what it accepts, and one clear line and status 2 for anything else.
#include "render_options.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <vector>

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
    EXPECT_EQ(defaults->ticks, 100);
    EXPECT_FALSE(defaults->start_time);
    EXPECT_EQ(defaults->gif_every, 1);

    TempDirectory directory;
    write_file("run.scr", "TAVRO_PERIODIC(1);\n");
    auto all = parse({"--ticks", "0", "--time", "1700000000", "--script", "run.scr", "--log", "a.log", "--png",
                      "a.png", "--gif", "a.gif", "--gif-every", "3"},
                     error);
    ASSERT_TRUE(all) << error;
    EXPECT_EQ(all->ticks, 0);
    EXPECT_EQ(*all->start_time, 1700000000);
    EXPECT_EQ(all->script, "run.scr");
    EXPECT_EQ(all->gif_every, 3);
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
    const BadArguments cases[] = {
        {{"--fast"}, "unknown option '--fast'"},
        {{"--ticks"}, "option --ticks needs a value"},
        {{"--ticks", "ten"}, "option --ticks takes a whole number, not 'ten'"},
        {{"--ticks", "5x"}, "option --ticks takes a whole number, not '5x'"},
        {{"--ticks", "-1"}, "--ticks must be 0 or more, not -1"},
        {{"--gif-every", "0"}, "--gif-every must be 1 or more, not 0"},
        {{"--time", ""}, "option --time takes a whole number, not ''"},
        {{"--script", "missing.scr"}, "cannot read script file 'missing.scr'"},
        {{"--script", "folder"}, "cannot read script file 'folder'"},
        {{"--png", "no/such/folder/a.png"}, "cannot write output file 'no/such/folder/a.png'"},
        {{"--gif", "folder"}, "cannot write output file 'folder'"},
    };
    for (const BadArguments& bad : cases) {
        std::string error;
        EXPECT_FALSE(parse(bad.arguments, error));
        EXPECT_EQ(error, bad.problem);
    }
}

TEST(RenderOptions, TheToolExitsWithStatusTwoAndWritesNothing)
{
    TempDirectory directory;
    const std::string command = std::string(CITY_RENDER_PATH) +
                                " --png out.png --log out.log --gif out.gif --ticks -3 2> errors.txt";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    const std::string errors = read_file("errors.txt");
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1);
    EXPECT_EQ(errors.rfind("city-render: --ticks must be 0 or more, not -3", 0), 0u);
    EXPECT_FALSE(file_exists("out.png") || file_exists("out.log") || file_exists("out.gif"));
}

}  // namespace
