// How the studio builds a page: em++'s own steps, learnt once from em++ building a reference
// program, then run one by one without em++'s driver. The JavaScript around the WebAssembly is
// the same for every program that needs the same imports and exports as the reference, so it is
// taken from the reference's page; any other program is linked by em++ itself.
#pragma once

#include "sandbox.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tavro::studio {

// A Run's flags, where a release page has -O3 and Closure-free minified JavaScript: the
// program's own code optimised a little (its compile time barely grows), the whole page only
// instrumented for waiting (ASYNCIFY), not optimised again, which is most of a release link.
inline constexpr const char* studio_compile_flags = "-O1";
inline constexpr const char* studio_link_flags = "-O0 -sASSERTIONS=0";

struct PageRecipe {
    std::vector<std::string> compile;    // clang, compiling reference_source to program.o
    std::vector<std::string> link;       // wasm-ld: program.o to program.wasm
    std::vector<std::string> finalize;   // prints the imports and exports the JavaScript must provide
    std::vector<std::string> optimise;   // wasm-opt: the ASYNCIFY instrumentation
    std::vector<std::string> full_link;  // em++: program.o to program.html, for any other program
    std::string reference_metadata;      // what finalize printed for the reference, in a fixed order
    std::string page_before;             // the reference's page before its WebAssembly's base64
    std::string page_after;              // and after it
    bool fast = false;                   // the steps were checked to make em++'s very page
};

inline constexpr const char* reference_source = "reference.cpp";

// The tools' environment and the package's folder, for a step run in a work folder.
SandboxCommand tool_command(std::vector<std::string> argv, const std::filesystem::path& work,
                            const std::filesystem::path& prefix);

// Metadata with every list sorted: two programs whose JavaScript is the same compare equal.
std::string normalised_metadata(const std::string& json);

// Learns the recipe in a folder of scratch; on failure, reason says why in one line.
bool prepare_page_recipe(const std::filesystem::path& prefix, const std::filesystem::path& scratch, PageRecipe& recipe,
                         std::string& reason);

}  // namespace tavro::studio
