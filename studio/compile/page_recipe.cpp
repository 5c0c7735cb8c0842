#include "page_recipe.h"
#include "base64.h"
#include "command_line.h"
#include "scratch_folder.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace tavro::studio {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view wasm_start = "wasmBinaryFile = 'data:application/octet-stream;base64,";

// The smallest program on the package: its imports and exports are those of nearly every program.
constexpr std::string_view reference_program =
    "#include <tavro/display.h>\nint application_main()\n{\n    Display display;\n    return 0;\n}\n";

void sort_lists(nlohmann::json& value)
{
    if (value.is_array()) {
        std::sort(value.begin(), value.end());
    }
    if (value.is_structured()) {
        for (auto& item : value) {
            sort_lists(item);
        }
    }
}

std::string first_line(const std::string& text) { return text.substr(0, text.find('\n')); }

bool run_step(const SandboxCommand& command, std::string& output, std::string& reason, const char* step)
{
    const SandboxResult result = run_sandboxed(command);
    output = result.output;
    if (result.succeeded()) {
        return true;
    }
    reason = std::string("preparing the page builder, ") + step +
             " failed: " + (result.reason.empty() ? first_line(result.output) : result.reason);
    return false;
}

const std::vector<std::string>* find_command(const std::vector<std::vector<std::string>>& commands,
                                             std::string_view tool, std::string_view word = "")
{
    for (const auto& command : commands) {
        if (!command.empty() && command[0].find(tool) != std::string::npos &&
            (word.empty() || std::find(command.begin(), command.end(), word) != command.end())) {
            return &command;
        }
    }
    return nullptr;
}

// pkg-config's flags with the release's optimisation replaced by the studio's.
std::vector<std::string> studio_flags(const std::string& flags, const char* replacement)
{
    std::vector<std::string> words = split_flags(replacement);
    for (std::string& word : split_flags(flags)) {
        if (word.rfind("-O", 0) != 0) {
            words.push_back(std::move(word));
        }
    }
    return words;
}

std::vector<std::string> joined(std::vector<std::string> head, const std::vector<std::string>& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

}  // namespace

SandboxCommand tool_command(std::vector<std::string> argv, const fs::path& work, const fs::path& prefix)
{
    SandboxCommand command;
    command.argv = std::move(argv);
    command.work = work;
    command.read_only = {prefix};
    command.environment = {{"PATH", "/usr/bin:/bin"},
                           {"HOME", sandbox_work},
                           {"LC_ALL", "C.UTF-8"},
                           {"EMSDK_PYTHON", "/usr/bin/python3"},
                           {"NODE_PATH", "/usr/share/nodejs"},
                           {"PKG_CONFIG_PATH", (prefix / "lib/pkgconfig").string()}};
    return command;
}

std::string normalised_metadata(const std::string& json)
{
    // Only the object: a tool's warnings on standard error come in the same output.
    const std::size_t start = json.find('{');
    const std::size_t end = json.rfind('}');
    if (start == std::string::npos || end == std::string::npos || end < start) {
        return {};
    }
    nlohmann::json value = nlohmann::json::parse(json.substr(start, end - start + 1), nullptr, false);
    if (value.is_discarded()) {
        return {};
    }
    sort_lists(value);
    return value.dump();
}

bool prepare_page_recipe(const fs::path& prefix, const fs::path& scratch, PageRecipe& recipe, std::string& reason)
{
    ScratchFolder folder(scratch, "prepare");
    const fs::path& work = folder.path();
    std::string cflags;
    std::string libs;
    if (!run_step(tool_command({"/usr/bin/pkg-config", "--cflags", "tavro-web"}, work, prefix), cflags, reason,
                  "pkg-config tavro-web") ||
        !run_step(tool_command({"/usr/bin/pkg-config", "--libs", "tavro-web"}, work, prefix), libs, reason,
                  "pkg-config tavro-web")) {
        return false;
    }
    write_file(work / reference_source, reference_program);
    const std::vector<std::string> emxx{"/usr/bin/em++"};
    const auto compile_flags = studio_flags(cflags, studio_compile_flags);
    const auto link_flags = studio_flags(libs, studio_link_flags);
    SandboxCommand compile =
        tool_command(joined(joined(emxx, compile_flags), {"-c", reference_source, "-o", "program.o"}), work, prefix);
    compile.environment.emplace_back("EMCC_DEBUG", "1");
    recipe.full_link = joined(joined(emxx, {"program.o", "-o", "program.html"}), link_flags);
    SandboxCommand link = tool_command(recipe.full_link, work, prefix);
    link.environment.emplace_back("EMCC_DEBUG", "1");
    std::string compile_log;
    std::string link_log;
    if (!run_step(compile, compile_log, reason, "em++ -c") || !run_step(link, link_log, reason, "em++")) {
        return false;
    }
    const auto compiled = logged_commands(compile_log);
    const auto linked = logged_commands(link_log);
    const auto* clang = find_command(compiled, "clang", reference_source);
    const auto* wasm_ld = find_command(linked, "wasm-ld");
    const auto* finalize = find_command(linked, "wasm-emscripten-finalize");
    const auto* optimise = find_command(linked, "wasm-opt", "--asyncify");
    const std::string page = read_file(work / "program.html");
    const std::size_t start = page.find(wasm_start);
    const std::size_t end = start == std::string::npos ? start : page.find('\'', start + wasm_start.size());
    if (!clang || !wasm_ld || !finalize || !optimise || end == std::string::npos) {
        // em++ built the page but not in the steps known here: every Run takes em++'s own way.
        recipe.fast = false;
        return true;
    }
    recipe.compile = *clang;
    const auto output = std::find(recipe.compile.begin(), recipe.compile.end(), "-o");
    if (output == recipe.compile.end() || output + 1 == recipe.compile.end()) {
        recipe.fast = false;
        return true;
    }
    output[1] = "program.o";
    recipe.link = *wasm_ld;
    recipe.finalize = *finalize;
    recipe.optimise = *optimise;
    recipe.page_before = page.substr(0, start + wasm_start.size());
    recipe.page_after = page.substr(end);

    // The steps run alone on the same object must give em++'s very page.
    ScratchFolder check(scratch, "prepare");
    fs::copy_file(work / "program.o", check.path() / "program.o");
    std::string ignored;
    std::string metadata;
    if (!run_step(tool_command(recipe.link, check.path(), prefix), ignored, reason, "wasm-ld") ||
        !run_step(tool_command(recipe.finalize, check.path(), prefix), metadata, reason, "finalize") ||
        !run_step(tool_command(recipe.optimise, check.path(), prefix), ignored, reason, "wasm-opt")) {
        return false;
    }
    recipe.reference_metadata = normalised_metadata(metadata);
    const std::string rebuilt =
        recipe.page_before + base64(read_file(check.path() / "program.wasm")) + recipe.page_after;
    recipe.fast = !recipe.reference_metadata.empty() && rebuilt == page;
    return true;
}

}  // namespace tavro::studio
