#include "base64.h"
#include "check_words.h"
#include "command_line.h"
#include "diagnostics.h"
#include "page_build.h"

#include <gtest/gtest.h>

namespace tavro::studio {
namespace {

TEST(CommandLine, LoggedCommandsKeepQuotedWordsWhole)
{
    const std::string log =
        "shared:DEBUG: executed /usr/bin/llvm-nm-14 x.o\n"
        "shared:DEBUG: successfully executed wasm-opt --asyncify \"--pass-arg=a@x*,operator new*\" \"say \\\"hi\\\"\" "
        "a.wasm\nprofiler:DEBUG: block took 1 s\n";
    const auto commands = logged_commands(log);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0], (std::vector<std::string>{"wasm-opt", "--asyncify", "--pass-arg=a@x*,operator new*",
                                                     "say \"hi\"", "a.wasm"}));
    EXPECT_EQ(split_flags("-O3 -I/opt/my\\ tavro/include  -lx\n"),
              (std::vector<std::string>{"-O3", "-I/opt/my tavro/include", "-lx"}));
}

TEST(Base64, EncodesAsTheStandardDoes)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},        {"f", "Zg=="},        {"fo", "Zm8="},
        {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {std::string("\xff\x00\x80", 3), "/wCA"}};
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(base64(bytes), text);
    }
}

struct DiagnosticCase {
    const char* what;
    std::string output;
    std::vector<Diagnostic> expected;
};

TEST(Diagnostics, AreAtTheStudentsLinesWithNoPathsOfTheMachine)
{
    const DiagnosticCase cases[] = {
        {"own error and note",
         "house.cpp:3:5: error: use of undeclared identifier 'x'\nhouse.cpp:1:1: note: here\n1 error generated.\n",
         {{3, 5, "error: use of undeclared identifier 'x'"}, {1, 1, "note: here"}}},
        {"a header's error at the line that led to it",
         "In file included from house.cpp:2:\n/usr/include/c++/v1/vector:40:3: error: no matching function\n"
         "/usr/include/c++/v1/vector:12:1: note: candidate\nhouse.cpp:9:7: note: in instantiation requested here\n",
         {{9, 7, "error in <vector>: no matching function"}}},
        {"a header's error with no line of the student's",
         "/usr/include/x.h:1:2: fatal error: too many errors\n",
         {{1, 1, "fatal error in <x.h>: too many errors"}}},
        {"messages of other files and lines that are no message",
         "other.cpp:1:1: warning: w\nclang: error: linker command failed\nhouse.cpp:x:1: error: bad\n",
         {}},
    };
    for (const DiagnosticCase& test : cases) {
        const auto diagnostics = parse_diagnostics(test.output, "house.cpp");
        ASSERT_EQ(diagnostics.size(), test.expected.size()) << test.what;
        for (std::size_t i = 0; i < diagnostics.size(); ++i) {
            EXPECT_EQ(diagnostics[i].line, test.expected[i].line) << test.what;
            EXPECT_EQ(diagnostics[i].column, test.expected[i].column) << test.what;
            EXPECT_EQ(diagnostics[i].message, test.expected[i].message) << test.what;
        }
    }
    EXPECT_EQ(without_paths("in '/opt/tavro/include/tavro/display.h': and /usr/lib/x.a, /build/a.o",
                            {"/opt/tavro/", "/usr/", "/build/"}),
              "in '<display.h>': and <x.a>, <a.o>");
}

TEST(PageBuilder, TheKeyChangesWithTheSourceAndOnlyWithIt)
{
    const auto builder = make_page_builder({"/nonexistent-prefix", "/tmp"});
    const std::string key = builder->key("int application_main() { return 0; }");
    EXPECT_EQ(key.size(), 64u);
    EXPECT_EQ(key, builder->key("int application_main() { return 0; }"));
    EXPECT_NE(key, builder->key("int application_main() { return 1; }"));
}

TEST(CheckWords, TheLinesOfTavroChecksReportAsItShowsThem)
{
    const std::string report = "tavro-check: the transcript differs from the reference in 3 of 4 lines\n"
                               "  reference: reference.log\n  run:       run.log\n"
                               "  line 2, expected: gold circle at (1,2), radius 3\n"
                               "  line 2, actual:   gold circle at (1,2), radius 3\\x20\n"
                               "  line 4, expected: (no such line)\n  line 4, actual:   tab\\there\n"
                               "  ... and 1 more\n";
    const auto lines = differing_lines(report);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].line, 2);
    EXPECT_EQ(lines[0].actual, "gold circle at (1,2), radius 3\\x20");
    EXPECT_EQ(lines[1].expected, "(no such line)");
    EXPECT_EQ(lines[1].actual, "tab\\there");
}

}  // namespace
}  // namespace tavro::studio
