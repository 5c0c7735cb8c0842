// The class report: verdict files read, text escaped, pictures inline, and the page written
// only when there is something to show and somewhere to put it.
#include "check/check_command.h"
#include "check/report_page.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace tavro;

namespace fs = std::filesystem;

namespace {

struct VerdictCase {
    const char* text;
    bool understood;
    bool passed;
    const char* reason;
    const char* details;
};

TEST(Report, ReadsVerdictFiles)
{
    const VerdictCase cases[] = {
        {"verdict: pass\nreason: matches the references\n", true, true, "matches the references", ""},
        {"verdict: fail\r\nreason: the program crashed (signal 11)\r\nline 1\nline 2\n\n", true, false,
         "the program crashed (signal 11)", "line 1\nline 2"},
        {"verdict: maybe\nreason: x\n", false, false, "", ""},
        {"verdict: pass\n", false, false, "", ""},
        {"", false, false, "", ""},
    };
    for (const VerdictCase& check : cases) {
        std::string problem;
        const std::optional<Verdict> verdict = parse_verdict(check.text, problem);
        ASSERT_EQ(verdict.has_value(), check.understood) << check.text;
        if (verdict) {
            EXPECT_EQ(verdict->passed, check.passed);
            EXPECT_EQ(verdict->reason, check.reason);
            EXPECT_EQ(verdict->details, check.details);
        } else {
            EXPECT_FALSE(problem.empty());
        }
    }
}

TEST(Report, EscapesTextAndEncodesPictures)
{
    EXPECT_EQ(html_escaped("<a href=\"x\">'&'</a>"), "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt;");
    const std::pair<std::string, const char*> encoded[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"\xff\xfe\xfd\xfc", "//79/A=="},
        {"\xfb\xef\xbe", "++++"},
    };
    for (const auto& [bytes, base] : encoded) {
        EXPECT_EQ(base64(bytes), base) << base;
    }
}

struct ReportCase {
    std::vector<std::string> arguments;
    int status;
    const char* problem;
};

TEST(Report, WritesOnePageOfEveryVerdictFound)
{
    TempDirectory directory;
    const std::string picture = read_file(source_path("tests/check/pictures/rgb-none.png"));
    fs::create_directories("class/anna/build");
    fs::create_directories("class/ben/build");
    fs::create_directories("empty");
    write_file("class/anna/build/house.verdict", "verdict: pass\nreason: matches the references\n");
    write_file("class/anna/build/house.png", picture);  // a passed check shows no picture
    write_file("class/ben/build/house.verdict",
               "verdict: fail\nreason: the picture differs\ntavro-check: <b>5</b> & more\n");
    write_file("class/ben/build/house-difference.png", picture);
    write_file("class/ben/build/house.png", "not a picture");
    write_file("class/ben/build/roof.verdict", "garbled");

    const ReportCase cases[] = {
        {{"--report", "empty/r.html", "empty"}, 2, "no check's verdict (NAME.verdict) found in the folders given"},
        {{"--report", "r.html", "class", "missing"}, 2, "cannot look for checks in 'missing': it does not exist"},
        {{"--report", "empty", "class"}, 2, "cannot write the report 'empty': it is a folder"},
        {{"--report", "class/ben/build/roof.verdict", "class"}, 2, "it is the input"},
        {{"--report", "class/ben/build/house.png", "class"}, 2, "it is the input"},
        {{"--report", "none/r.html", "class"}, 1, "cannot write the report 'none/r.html'"},
        {{"--report", "empty/r.html", "class/ben", "class"}, 0, ""},
    };
    for (const ReportCase& check : cases) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(run_check(check.arguments, out, err), check.status) << err.str();
        EXPECT_NE(err.str().find(check.problem), std::string::npos) << err.str();
    }
    EXPECT_EQ(read_file("class/ben/build/roof.verdict"), "garbled");
    EXPECT_EQ(read_file("class/ben/build/house.png"), "not a picture");
    // Only the page, no temporary file beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator("empty"), fs::directory_iterator()), 1);

    const std::string page = read_file("empty/r.html");
    const auto row = [](int number, const char* name, const char* student) {
        return "<a href=\"#check-" + std::to_string(number) + "\">" + name + "</a></td><td>" +
               (fs::path("class") / student / "build").make_preferred().string() + "</td>";
    };
    for (const std::string& shown : std::vector<std::string>{
             // Sorted by name, then folder.
             row(1, "house", "anna"),
             row(2, "house", "ben"),
             row(3, "roof", "ben"),
             "<p id=\"summary\">3 checks, 1 passed, 2 failed</p>",
             "tavro-check: &lt;b&gt;5&lt;/b&gt; &amp; more",
             "its verdict file roof.verdict is not understood",
             "house.png cannot be shown: it is not a PNG file",
             "src=\"data:image/png;base64," + base64(picture) + "\"",
         }) {
        EXPECT_NE(page.find(shown), std::string::npos) << shown;
    }
    EXPECT_EQ(page.find("data:image/png", page.find("data:image/png") + 1), std::string::npos);  // one picture
}

}  // namespace
