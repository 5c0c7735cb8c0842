// Turning a student's source into the package's one-file page: the seam between the workers,
// which call it, and the compiler run in the sandbox.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavro::studio {

// One compiler message at a line of the student's file (1-based), in the compiler's words with
// no server path in them.
struct Diagnostic {
    int line = 0;
    int column = 0;
    std::string message;
};

struct PageBuild {
    enum class Outcome { built, diagnostics, failed };
    Outcome outcome = Outcome::failed;
    std::string page;                     // built: the HTML page
    std::vector<Diagnostic> diagnostics;  // diagnostics: why it did not build
    std::string reason;                   // failed: one line (a limit passed, the sandbox refused)
};

// Where the installed package is (its prefix holds lib/pkgconfig/tavro-web.pc, share/tavro/web,
// include/tavro) and where the builds' scratch folders go.
struct BuildSetup {
    std::filesystem::path package_prefix;
    std::filesystem::path scratch;
};

class PageBuilder {
public:
    virtual ~PageBuilder() = default;
    // The cache key of a source's page: a hash of the source, the package's version and the flags.
    virtual std::string key(std::string_view source) const = 0;
    // Blocking and safe to call from several workers at once.
    virtual PageBuild build(std::string_view source, std::string_view file_name) const = 0;
};

std::unique_ptr<PageBuilder> make_page_builder(const BuildSetup& setup);

}  // namespace tavro::studio
