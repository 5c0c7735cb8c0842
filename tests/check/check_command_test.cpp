// tavro-check's command line: what it refuses and why, that it never writes over an input or
// removes what it did not make, and what it shows of differing lines.
#include "check/check_command.h"
#include "check/png_reader.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

using namespace tavro;

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = run_check(arguments, out, err);
    return {status, out.str(), err.str()};
}

struct Case {
    std::vector<std::string> arguments;
    int status;
    const char* shown;  // in the output when the status is 0 or 1, in the problems when 2
};

// Every name in the current folder, sorted.
std::vector<std::string> names_here()
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(".")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(CheckCommand, RefusesBadInputsAndOutputsAndNeverHarmsAnInput)
{
    TempDirectory directory;
    const std::string a = read_file(source_path("tests/check/pictures/rgb-none.png"));
    const std::string b = read_file(source_path("tests/check/pictures/rgba.png"));  // a's colours, other alphas
    write_file("a.png", a);
    write_file("b.png", b);
    write_file("a.log", "x\ty\nsame\n");
    write_file("b.log", "x y\nsame \n");
    fs::create_directory("folder");
    const Case cases[] = {
        {{"--log", "a.log", "b.log", "--help"}, 0, "usage: tavro-check"},
        {{"--log", "folder", "a.log"}, 2, "cannot read transcript 'folder': it is a folder"},
        {{"--log", "a.log", "a.log", "--png", "folder", "a.png"}, 2, "cannot read picture 'folder': it is a folder"},
        {{"--png", "a.png", "a.png", "--difference", "a.png"},
         2,
         "cannot write the difference picture 'a.png': it is the input 'a.png'"},
        {{"--png", "a.png", "b.png", "--difference", "./b.png"}, 2, "it is the input 'b.png'"},
        {{"--log", "a.log", "b.log", "--png", "a.png", "b.png", "--difference", "a.log"}, 2, "it is the input 'a.log'"},
        {{"--png", "a.png", "b.png", "--difference", "folder"}, 2, "'folder': it is a folder"},
        {{"--png", "a.png", "b.png", "--difference", "none/d.png"},
         2,
         "cannot write the difference picture 'none/d.png'"},
        {{"--log", "a.log", "b.log", "--difference", "d.png"}, 2, "--difference needs --png"},
        {{"--report", "r.html", "--log", "a.log", "b.log"}, 2, "--report compares nothing: give it alone"},
        {{"--report", "r.html"}, 2, "--report needs the folders to look for checks in"},
        {{"--png", "a.png", "a.png", "--difference", "d.png"}, 0, "the picture matches the reference (384 pixels)"},
        // The lines differ only in what cannot be seen.
        {{"--log", "a.log", "b.log"}, 1, "line 1, expected: x\\ty\n  line 1, actual:   x y\n"},
        {{"--log", "a.log", "b.log"}, 1, "line 2, expected: same\n  line 2, actual:   same\\x20\n"},
#ifndef _WIN32
        {{"--log", "/dev/zero", "a.log"}, 2, "cannot read transcript '/dev/zero': it is not a regular file"},
        {{"--png", "a.png", "b.png", "--difference", "/dev/null"}, 2, "'/dev/null': it is not a regular file"},
        {{"--png", "link.png", "b.png", "--difference", "a.png"}, 2, "it is the input 'link.png'"},
#endif
    };
#ifndef _WIN32
    fs::create_symlink("a.png", "link.png");
#endif
    for (const Case& check : cases) {
        const Outcome result = run(check.arguments);
        EXPECT_EQ(result.status, check.status) << check.shown << '\n' << result.err;
        EXPECT_NE((check.status == 2 ? result.err : result.out).find(check.shown), std::string::npos)
            << result.out << result.err;
    }
    EXPECT_EQ(read_file("a.png"), a);
    EXPECT_EQ(read_file("b.png"), b);
    EXPECT_TRUE(fs::is_directory("folder"));
    EXPECT_FALSE(fs::exists("d.png"));  // written only where the pictures differ
}

TEST(CheckCommand, WritesTheDifferenceThroughATemporaryFileAndReplacesAnEarlierOne)
{
    TempDirectory directory;
    fs::copy_file(source_path("tests/check/pictures/rgb-none.png"), "a.png");
    fs::copy_file(source_path("tests/check/pictures/rgba.png"), "b.png");
    write_file("d.png", "an earlier difference");
    const Outcome result = run({"--png", "a.png", "b.png", "--difference", "d.png"});
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_NE(result.out.find("differs from the reference in 384 of 384 pixels, shown red in d.png"), std::string::npos)
        << result.out;
    std::string problem;
    const std::optional<Picture> difference = read_png("d.png", problem);
    ASSERT_TRUE(difference) << problem;
    EXPECT_EQ(difference->pixels[1], 0xFFFF0000u);  // alpha 10 against 255: red
    EXPECT_EQ(names_here(), (std::vector<std::string>{"a.png", "b.png", "d.png"}));
}

TEST(CheckCommand, PrintsItsVersion)
{
    const Outcome result = run({"--png", "a.png", "--version"});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(std::regex_match(result.out, std::regex("tavro-check \\(TAVRO [0-9]+\\.[0-9]+\\.[0-9]+\\)\n")))
        << result.out;
}

}  // namespace
