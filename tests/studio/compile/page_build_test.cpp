#include "page_build.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace tavro::studio {
namespace {

namespace fs = std::filesystem;

const PageBuilder& builder()
{
    static const fs::path scratch = fs::temp_directory_path() / "studio-build-tests";
    static const char* prefix = std::getenv("TAVRO_STUDIO_PACKAGE_PREFIX");
    static const auto made = make_page_builder({prefix ? prefix : "", scratch});
    return *made;
}

const char* const drawing = R"(#include <tavro/display.h>
#include <vector>
int application_main()
{
    Display display;
    std::vector<int> sizes{10, 20, 30};
    for (int size : sizes) {
        display.draw_circle(size * 3, 0, size, COLOUR_ORANGE);
    }
    int x = 0, y = 0;
    char key = 0;
    display.wait_for_event(x, y, key);
    return 0;
}
)";

TEST(PageBuild, AProgramBecomesThePackagesOneFilePage)
{
    const PageBuild fast = builder().build(drawing, "circles.cpp");
    ASSERT_EQ(fast.outcome, PageBuild::Outcome::built) << fast.reason;
    // A program with JavaScript of its own takes em++'s whole way; both are the package's page.
    const std::string scripted =
        std::string(drawing) + "#include <emscripten.h>\nint seen() { return EM_ASM_INT({ return 7; }); }\n";
    const PageBuild full = builder().build(scripted, "scripted.cpp");
    ASSERT_EQ(full.outcome, PageBuild::Outcome::built) << full.reason;
    for (const PageBuild* build : {&fast, &full}) {
        EXPECT_NE(build->page.find("id=\"tavro-canvas\""), std::string::npos);
        EXPECT_NE(build->page.find("TavroPage"), std::string::npos);
        EXPECT_NE(build->page.find("base64,AGFzbQ"), std::string::npos) << "the WebAssembly is in the page";
    }
}

TEST(PageBuild, ErrorsComeAtTheStudentsLinesInTheirFilesName)
{
    const PageBuild build =
        builder().build("#include <tavro/display.h>\nint application_main()\n{\n    retur 0;\n}\n", "house.cpp");
    ASSERT_EQ(build.outcome, PageBuild::Outcome::diagnostics) << build.reason;
    ASSERT_FALSE(build.diagnostics.empty());
    EXPECT_EQ(build.diagnostics[0].line, 4);
    EXPECT_EQ(build.diagnostics[0].column, 5);
    EXPECT_NE(build.diagnostics[0].message.find("error: "), std::string::npos);
}

struct HostileCase {
    const char* what;
    std::string source;
};

TEST(PageBuild, HostileSourcesFailInOneLineAndShowNoneOfTheHostsBytes)
{
    const fs::path data = fs::temp_directory_path() / "studio-build-tests-data";
    fs::create_directories(data);
    const fs::path database = data / "studio.sqlite";
    std::ofstream(database) << "SECRET-DATABASE-BYTES\n";
    const std::string main = "\nint application_main() { return 0; }\n";
    std::string warnings;
    for (int i = 0; i < 20000; ++i) {
        warnings += "#warning a long warning line to fill the output up to its bound, again and again\n";
    }
    const HostileCase cases[] = {
        {"/etc/passwd", "#include \"/etc/passwd\"" + main},
        {"the database", "#include \"" + database.string() + "\"" + main},
        {".incbin", "asm(\".incbin \\\"" + database.string() + "\\\"\");" + main},
        {"/dev/random", "#include \"/dev/random\"" + main},
        {"template bomb",
         "template <int D, int I> struct T { enum { v = T<D - 1, 2 * I>::v + T<D - 1, 2 * I + 1>::v }; };\n"
         "template <int I> struct T<0, I> { enum { v = 1 }; };\nint value = T<30, 0>::v;" +
             main},
        {"endless constexpr", "constexpr int forever() { for (;;) {} return 0; }\nconstexpr int x = forever();" + main},
        {"1 GiB static array", "#include <tavro/display.h>\nstatic char big[1 << 30] = {1};\n"
                               "int application_main() { return big[tavro_time() % 1000]; }\n"},
        {"huge output", warnings + main},
    };
    for (const HostileCase& test : cases) {
        const PageBuild build = builder().build(test.source, "hostile.cpp");
        EXPECT_NE(build.outcome, PageBuild::Outcome::built) << test.what;
        std::string shown = build.reason;
        for (const Diagnostic& diagnostic : build.diagnostics) {
            shown += diagnostic.message + "\n";
        }
        EXPECT_EQ(shown.find("SECRET"), std::string::npos) << test.what;
        EXPECT_EQ(shown.find("root:"), std::string::npos) << test.what;
        EXPECT_EQ(build.reason.find('\n'), std::string::npos) << test.what;
        std::cout << test.what << ": " << shown << "\n";
    }
    fs::remove_all(data);
}

}  // namespace
}  // namespace tavro::studio
