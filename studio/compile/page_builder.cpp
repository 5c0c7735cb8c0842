#include "base64.h"
#include "diagnostics.h"
#include "page_build.h"
#include "page_recipe.h"
#include "scratch_folder.h"
#include "wasm_memory.h"

#include <sodium.h>

#include <algorithm>
#include <mutex>

namespace tavro::studio {

namespace {

namespace fs = std::filesystem;

// A student's name for their file is used as it is when it is a plain C++ file name; it is the
// name the compiler's messages give.
std::string compiled_name(std::string_view file_name)
{
    const bool plain = !file_name.empty() && file_name.size() <= 64 && file_name[0] != '.' &&
                       std::all_of(file_name.begin(), file_name.end(), [](char c) {
                           return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.';
                       });
    const auto ends_with = [&](std::string_view end) {
        return file_name.size() > end.size() && file_name.substr(file_name.size() - end.size()) == end;
    };
    if (plain && (ends_with(".cpp") || ends_with(".cc") || ends_with(".cxx"))) {
        return std::string(file_name);
    }
    return "program.cpp";
}

PageBuild failure(std::string reason)
{
    PageBuild build;
    build.outcome = PageBuild::Outcome::failed;
    build.reason = std::move(reason);
    return build;
}

std::string first_line(const std::string& text)
{
    const std::size_t start = text.find_first_not_of("\n ");
    return start == std::string::npos ? std::string() : text.substr(start, text.find('\n', start) - start);
}

// wasm-ld's errors, without its name and the object's: "undefined symbol: draw_tree(int)".
std::string link_errors(const std::string& output)
{
    std::string errors;
    std::size_t start = 0;
    int shown = 0;
    while (start < output.size() && shown < 3) {
        const std::size_t end = std::min(output.find('\n', start), output.size());
        std::string line = output.substr(start, end - start);
        start = end + 1;
        const std::size_t at = line.find("error: ");
        if (at == std::string::npos) {
            continue;
        }
        line = line.substr(at + 7);
        if (line.rfind("program.o: ", 0) == 0) {
            line = line.substr(11);
        }
        errors += (shown++ ? "; " : "") + line;
    }
    return errors.empty() ? first_line(output) : errors;
}

class EmscriptenPageBuilder : public PageBuilder {
public:
    explicit EmscriptenPageBuilder(const BuildSetup& setup)
        : prefix_(fs::weakly_canonical(setup.package_prefix)), scratch_(setup.scratch)
    {
        // The package's version and its page's flags are in its pkg-config file.
        identity_ = read_file(prefix_ / "lib/pkgconfig/tavro-web.pc") + "\nstudio compile: " + studio_compile_flags +
                    "\nstudio link: " + studio_link_flags + "\n";
    }

    std::string key(std::string_view source) const override
    {
        unsigned char hash[crypto_generichash_BYTES];
        crypto_generichash_state state;
        crypto_generichash_init(&state, nullptr, 0, sizeof hash);
        crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(identity_.data()), identity_.size());
        crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(source.data()), source.size());
        crypto_generichash_final(&state, hash, sizeof hash);
        char hex[2 * sizeof hash + 1];
        sodium_bin2hex(hex, sizeof hex, hash, sizeof hash);
        return hex;
    }

    PageBuild build(std::string_view source, std::string_view file_name) const override
    {
        const PageRecipe* recipe = prepared();
        if (!recipe) {
            return failure(prepare_failure_);
        }
        ScratchFolder folder(scratch_, "page");
        const fs::path& work = folder.path();
        const std::string name = compiled_name(file_name);
        if (!write_file(work / name, source)) {
            return failure("the studio could not write the program for its build");
        }
        std::vector<std::string> compile = recipe->compile;
        std::replace(compile.begin(), compile.end(), std::string(reference_source), name);
        compile.insert(compile.end(), {"-fno-caret-diagnostics", "-fno-color-diagnostics", "-fmessage-length=0"});
        const SandboxResult compiled = run_sandboxed(tool_command(compile, work, prefix_));
        if (!compiled.succeeded()) {
            return compile_failure(compiled, name);
        }
        const SandboxResult linked = run_sandboxed(tool_command(recipe->link, work, prefix_));
        if (!linked.succeeded()) {
            return failure(ended(linked) ? "the program does not link: " + clean(link_errors(linked.output))
                                         : stopped(linked, "the linker"));
        }
        const auto memory = initial_memory(read_file(work / "program.wasm"));
        if (memory && *memory > page_start_memory) {
            return failure("the program needs more than " + std::to_string(page_start_memory / mebibytes) +
                           " MiB of memory when it starts (" + std::to_string(*memory / mebibytes) + " MiB)");
        }
        const SandboxResult finalized = run_sandboxed(tool_command(recipe->finalize, work, prefix_));
        if (!finalized.succeeded()) {
            return failure(stopped(finalized, "the page's metadata step"));
        }
        if (normalised_metadata(finalized.output) == recipe->reference_metadata) {
            return instrumented(*recipe, work);
        }
        // Its own imports or exports (EM_ASM, EM_JS, other system calls): em++ writes its page.
        const SandboxResult full = run_sandboxed(tool_command(recipe->full_link, work, prefix_));
        if (!full.succeeded()) {
            return failure(stopped(full, "em++"));
        }
        return page(read_file(work / "program.html"));
    }

private:
    static bool ended(const SandboxResult& result) { return result.ending == SandboxResult::Ending::exited; }

    std::string clean(const std::string& line) const
    {
        return without_paths(line, {prefix_.string() + "/", "/usr/", std::string(sandbox_work) + "/"});
    }

    // One line for a step that did not succeed without a message of its own for the student.
    std::string stopped(const SandboxResult& result, const char* tool) const
    {
        switch (result.ending) {
        case SandboxResult::Ending::limit:
        case SandboxResult::Ending::refused:
            return result.reason;
        case SandboxResult::Ending::signalled:
            return std::string(tool) + " crashed (signal " + std::to_string(result.status) + ")";
        case SandboxResult::Ending::exited:
            break;
        }
        return std::string(tool) + " failed: " + clean(first_line(result.output));
    }

    PageBuild compile_failure(const SandboxResult& result, const std::string& name) const
    {
        if (!ended(result)) {
            return failure(stopped(result, "the compiler"));
        }
        PageBuild build;
        build.diagnostics = parse_diagnostics(result.output, name);
        if (build.diagnostics.empty()) {
            return failure("the program does not compile: " + clean(first_line(result.output)));
        }
        for (Diagnostic& diagnostic : build.diagnostics) {
            diagnostic.message = clean(diagnostic.message);
        }
        build.outcome = PageBuild::Outcome::diagnostics;
        return build;
    }

    PageBuild instrumented(const PageRecipe& recipe, const fs::path& work) const
    {
        if (!recipe.fast) {
            const SandboxResult full = run_sandboxed(tool_command(recipe.full_link, work, prefix_));
            return full.succeeded() ? page(read_file(work / "program.html")) : failure(stopped(full, "em++"));
        }
        const SandboxResult optimised = run_sandboxed(tool_command(recipe.optimise, work, prefix_));
        if (!optimised.succeeded()) {
            return failure(stopped(optimised, "wasm-opt"));
        }
        return page(recipe.page_before + base64(read_file(work / "program.wasm")) + recipe.page_after);
    }

    static PageBuild page(std::string html)
    {
        if (html.empty()) {
            return failure("the build made no page");
        }
        PageBuild build;
        build.outcome = PageBuild::Outcome::built;
        build.page = std::move(html);
        return build;
    }

    // Learnt on the first build, once for every worker.
    const PageRecipe* prepared() const
    {
        std::call_once(prepare_once_, [this] {
            if (prepare_page_recipe(prefix_, scratch_, recipe_, prepare_failure_)) {
                ready_ = true;
            }
        });
        return ready_ ? &recipe_ : nullptr;
    }

    fs::path prefix_;
    fs::path scratch_;
    std::string identity_;
    mutable std::once_flag prepare_once_;
    mutable PageRecipe recipe_;
    mutable std::string prepare_failure_;
    mutable bool ready_ = false;
};

}  // namespace

std::unique_ptr<PageBuilder> make_page_builder(const BuildSetup& setup)
{
    if (sodium_init() < 0) {
        return nullptr;
    }
    return std::make_unique<EmscriptenPageBuilder>(setup);
}

}  // namespace tavro::studio
