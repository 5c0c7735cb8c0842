// The studio's verdicts against tavro_add_check's: the same submissions checked both ways, with
// the installed package, give the same verdict and the same reason.
#include "check_build.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <regex>

namespace tavro::studio {
namespace {

namespace fs = std::filesystem;

const char* const script = "TAVRO_PERIODIC(3);\nTAVRO_MOUSE(10, -20);\nTAVRO_PERIODIC(2);\n";

std::string house(const std::string& sun, const std::string& roof_width, const std::string& after_wait = "")
{
    return R"(#include <tavro/display.h>

int application_main()
{
    Display display;
    int x = 0, y = 0;
    char key = 0;
    do {
        display.clear(COLOUR_ICE_BLUE);
        display.draw_rectangle(-100, -100, 100, 50, COLOUR_BROWN, 0);
        display.draw_triangle(-120, 50, 120, 50, 0, 150, COLOUR_RED, )" +
           roof_width + R"();
        display.draw_circle(200, 160, 40, )" +
           sun + R"();
        display.draw_text(-100, -150, "A house", COLOUR_BLACK, 14);
    } while (display.wait_for_event(x, y, key) != event_quit)" +
           after_wait + R"();
    return 0;
}
)";
}

struct Submission {
    const char* name;
    std::string source;
};

std::vector<Submission> submissions()
{
    return {
        {"right", house("COLOUR_GOLD", "0")},
        {"orange_sun", house("COLOUR_ORANGE", "0")},
        {"outlined_roof", house("COLOUR_GOLD", "3")},
        {"crash", house("COLOUR_GOLD", "0", " && *static_cast<volatile int*>(nullptr) != 1")},
        {"never_waits", "#include <tavro/display.h>\nint application_main()\n{\n    Display display;\n"
                        "    display.draw_circle(0, 0, 40, COLOUR_GOLD);\n    for (volatile long n = 0;; ++n) {\n"
                        "    }\n}\n"},
        {"no_compile", house("COLOUR_GOLD", "0").replace(0, 1, "#include <tavro/display.h>\nint broken(;\n#")},
        {"draws_for_ever", "#include <tavro/display.h>\nint application_main()\n{\n    Display display;\n"
                           "    int x = 0, y = 0;\n    char key = 0;\n    display.wait_for_event(x, y, key);\n"
                           "    for (;;) {\n        display.draw_text(0, 0, \"" +
                               std::string(200, 'a') + "\", COLOUR_GOLD, 1);\n    }\n}\n"},
    };
}

int run(const std::string& command) { return std::system(command.c_str()); }

// tavro_add_check's verdicts: a project with a program and a check per submission, built
// (keeping on past the one that does not build) and run by ctest; each check's NAME.verdict.
std::map<std::string, std::pair<std::string, std::string>>
ctest_verdicts(const fs::path& folder, const fs::path& prefix, const References& references)
{
    fs::create_directories(folder / "submissions");
    std::string project = "cmake_minimum_required(VERSION 3.24)\nproject(house CXX)\nfind_package(Tavro REQUIRED)\n"
                          "enable_testing()\n";
    for (const Submission& submission : submissions()) {
        write_file(folder / "submissions" / (std::string(submission.name) + ".cpp"), submission.source);
        project += "tavro_add_program(" + std::string(submission.name) + " submissions/" + submission.name +
                   ".cpp)\ntavro_add_check(" + submission.name + "_check PROGRAM " + submission.name +
                   " SCRIPT house.scr LOG house.log PNG house.png)\n";
    }
    write_file(folder / "CMakeLists.txt", project);
    write_file(folder / "house.scr", script);
    write_file(folder / "house.log", references.transcript);
    write_file(folder / "house.png", references.picture);
    const std::string build = (folder / "build").string();
    EXPECT_EQ(run("cmake -S " + folder.string() + " -B " + build + " -G Ninja -DCMAKE_PREFIX_PATH=" + prefix.string() +
                  " > " + build + ".configure 2>&1"),
              0)
        << read_file(build + ".configure");
    run("cmake --build " + build + " -j2 -- -k 0 > " + build + ".build 2>&1");
    run("ctest --test-dir " + build + " -j2 > " + build + ".ctest 2>&1");
    std::map<std::string, std::pair<std::string, std::string>> verdicts;
    static const std::regex verdict_lines(R"(verdict: (\w+)\nreason: ([^\n]*))");
    for (const Submission& submission : submissions()) {
        const std::string text = read_file(fs::path(build) / (std::string(submission.name) + "_check.verdict"));
        std::smatch found;
        if (std::regex_search(text, found, verdict_lines)) {
            verdicts[submission.name] = {found[1], found[2]};
        }
    }
    return verdicts;
}

TEST(Verdicts, AreTheCTestChecksForTheSameSubmissions)
{
    const char* prefix = std::getenv("TAVRO_STUDIO_PACKAGE_PREFIX");
    ASSERT_TRUE(prefix && *prefix);
    const fs::path scratch = fs::temp_directory_path() / "studio-verdict-tests";
    fs::remove_all(scratch);
    const auto checks = make_check_builder({prefix, scratch / "studio"});
    const CheckInputs inputs{script, "", 1700000000};
    const References references = checks->make_references(house("COLOUR_GOLD", "0"), inputs);
    ASSERT_TRUE(references.made) << references.reason;
    EXPECT_NE(references.transcript.find("gold circle at (200,160), radius 40"), std::string::npos);

    const auto expected = ctest_verdicts(scratch / "project", prefix, references);
    const std::map<std::string, std::string> reasons = {
        {"right", "matches the references"},
        {"orange_sun", "the transcript and the picture differ from the references"},
        {"outlined_roof", "the picture differs from the reference"},
        {"crash", "the program crashed (signal 11)"},
        {"never_waits", "did not end within 30 s"},
        {"no_compile", "the program does not build"},
        {"draws_for_ever", "the transcript grew past 64 MiB"},
    };
    for (const Submission& submission : submissions()) {
        const CheckVerdict verdict = checks->check(submission.source, inputs, references);
        const std::string word = verdict.passed ? "pass" : "fail";
        ASSERT_EQ(expected.count(submission.name), 1u) << submission.name << ": no CTest verdict";
        EXPECT_EQ(word, expected.at(submission.name).first) << submission.name;
        EXPECT_EQ(verdict.reason, expected.at(submission.name).second) << submission.name;
        EXPECT_EQ(verdict.reason, reasons.at(submission.name)) << submission.name;
    }
    // What the student is shown beside the reason.
    const CheckVerdict orange = checks->check(submissions()[1].source, inputs, references);
    ASSERT_FALSE(orange.lines.empty());
    EXPECT_EQ(orange.lines[0].expected, "gold circle at (200,160), radius 40");
    EXPECT_EQ(orange.lines[0].actual, "orange circle at (200,160), radius 40");
    EXPECT_EQ(orange.difference.substr(1, 3), "PNG");
    EXPECT_EQ(orange.picture.substr(1, 3), "PNG");
    const CheckVerdict broken = checks->check(submissions()[5].source, inputs, references);
    ASSERT_FALSE(broken.diagnostics.empty());
    EXPECT_EQ(broken.diagnostics[0].line, 2);
    fs::remove_all(scratch);
}

}  // namespace
}  // namespace tavro::studio
