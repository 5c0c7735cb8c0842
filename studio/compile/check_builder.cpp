#include "check_build.h"
#include "check_words.h"
#include "command_line.h"
#include "diagnostics.h"
#include "page_recipe.h"
#include "scratch_folder.h"

#include <mutex>
#include <system_error>

namespace tavro::studio {

namespace {

namespace fs = std::filesystem;

constexpr const char* program_source = "program.cpp";

// A checked program is built as tavro_add_program builds one in a project with no build type:
// unoptimised. Linking the static render library is most of a build: gold without the
// library's debugging information takes a sixth of the default linker's time.
const std::vector<std::string> compiler_flags{
    "-std=c++17",        "-O0", "-fuse-ld=gold", "-Wl,-S", "-fno-diagnostics-show-caret", "-fdiagnostics-color=never",
    "-fmessage-length=0"};

std::string first_line(const std::string& text)
{
    const std::size_t start = text.find_first_not_of("\n ");
    return start == std::string::npos ? std::string() : text.substr(start, text.find('\n', start) - start);
}

// A file a sandboxed program left, when it is a regular file of its own (not a link).
bool regular_file(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(fs::symlink_status(path, error));
}

bool move_into(const fs::path& from, const fs::path& folder)
{
    std::error_code error;
    fs::rename(from, folder / from.filename(), error);
    return !error;
}

struct Build {
    bool built = false;
    std::vector<Diagnostic> diagnostics;  // why not: the compiler's messages, or one line at line 0
};

struct Run {
    std::optional<std::string> failure;
    fs::path transcript;
    fs::path picture;
};

class NativeCheckBuilder : public CheckBuilder {
public:
    explicit NativeCheckBuilder(const BuildSetup& setup)
        : prefix_(fs::weakly_canonical(setup.package_prefix)), scratch_(setup.scratch)
    {
    }

    References make_references(std::string_view solution, const CheckInputs& inputs) const override
    {
        ScratchFolder folder(scratch_, "references");
        References references;
        const Build built = build(solution, folder.path());
        if (!built.built) {
            references.reason = "the solution does not build";
            references.diagnostics = built.diagnostics;
            return references;
        }
        const Run ran = run(inputs, folder.path());
        if (ran.failure) {
            references.reason = "the solution failed: " + *ran.failure;
            return references;
        }
        references.made = true;
        references.transcript = read_file(ran.transcript);
        references.picture = read_file(ran.picture);
        return references;
    }

    CheckVerdict check(std::string_view source, const CheckInputs& inputs, const References& references) const override
    {
        ScratchFolder folder(scratch_, "check");
        CheckVerdict verdict;
        const Build built = build(source, folder.path());
        if (!built.built) {
            verdict.reason = "the program does not build";
            verdict.diagnostics = built.diagnostics;
            return verdict;
        }
        const Run ran = run(inputs, folder.path());
        if (ran.failure) {
            verdict.reason = *ran.failure;
            return verdict;
        }
        const fs::path compared = folder.path() / "compare";
        fs::create_directory(compared);
        if (!move_into(ran.transcript, compared) || !move_into(ran.picture, compared) ||
            !write_file(compared / "reference.log", references.transcript) ||
            !write_file(compared / "reference.png", references.picture)) {
            verdict.reason = "the studio could not prepare the comparison";
            return verdict;
        }
        SandboxCommand compare =
            tool_command({(prefix_ / "bin/tavro-check").string(), "--log", "reference.log", "run.log", "--png",
                          "reference.png", "run.png", "--difference", "difference.png"},
                         compared, prefix_);
        compare.limits = compare_limits;
        compare.what = "tavro-check";
        const SandboxResult result = run_sandboxed(compare);
        verdict.passed = result.succeeded();
        verdict.reason = comparison_reason(result);
        verdict.lines = differing_lines(result.output);
        verdict.picture = read_file(compared / "run.png");
        if (regular_file(compared / "difference.png")) {
            verdict.difference = read_file(compared / "difference.png");
        }
        return verdict;
    }

private:
    // pkg-config's flags for the render library, learnt once in the sandbox.
    const std::vector<std::string>* render_flags() const
    {
        std::call_once(flags_once_, [this] {
            ScratchFolder folder(scratch_, "flags");
            const SandboxResult flags = run_sandboxed(
                tool_command({"/usr/bin/pkg-config", "--cflags", "--libs", "tavro-render"}, folder.path(), prefix_));
            if (flags.succeeded()) {
                flags_ = split_flags(flags.output);
                flags_ready_ = true;
            } else {
                flags_failure_ = "pkg-config tavro-render failed: " + first_line(flags.output);
            }
        });
        return flags_ready_ ? &flags_ : nullptr;
    }

    Build build(std::string_view source, const fs::path& folder) const
    {
        Build result;
        const std::vector<std::string>* flags = render_flags();
        if (!flags) {
            result.diagnostics.push_back({0, 0, flags_failure_});
            return result;
        }
        const fs::path work = folder / "build";
        fs::create_directory(work);
        if (!write_file(work / program_source, source)) {
            result.diagnostics.push_back({0, 0, "the studio could not write the program for its build"});
            return result;
        }
        std::vector<std::string> argv{"/usr/bin/g++"};
        argv.insert(argv.end(), compiler_flags.begin(), compiler_flags.end());
        argv.insert(argv.end(), {program_source, "-o", "program"});
        argv.insert(argv.end(), flags->begin(), flags->end());
        const SandboxResult compiled = run_sandboxed(tool_command(argv, work, prefix_));
        result.built = compiled.succeeded() && regular_file(work / "program");
        if (result.built) {
            return result;
        }
        if (compiled.ending != SandboxResult::Ending::exited) {
            const std::string line = compiled.reason.empty()
                                         ? "the compiler crashed (signal " + std::to_string(compiled.status) + ")"
                                         : compiled.reason;
            result.diagnostics.push_back({0, 0, line});
            return result;
        }
        const std::vector<std::string> folders{prefix_.string() + "/", "/usr/", std::string(sandbox_work) + "/"};
        result.diagnostics = parse_diagnostics(compiled.output, program_source);
        if (result.diagnostics.empty()) {
            result.diagnostics.push_back({0, 0, without_paths(first_line(compiled.output), folders)});
        }
        for (Diagnostic& diagnostic : result.diagnostics) {
            diagnostic.message = without_paths(diagnostic.message, folders);
        }
        return result;
    }

    // The render entry with the exercise's inputs, writing run.log and run.png in folder/run.
    Run run(const CheckInputs& inputs, const fs::path& folder) const
    {
        Run result;
        const fs::path work = folder / "run";
        fs::create_directory(work);
        std::vector<std::string> argv{std::string(sandbox_work) + "/program", "--time", std::to_string(inputs.time),
                                      "--script", "script.scr"};
        if (!move_into(folder / "build/program", work) || !write_file(work / "script.scr", inputs.script) ||
            !write_file(work / "answers.txt", inputs.answers)) {
            result.failure = "the studio could not prepare the run";
            return result;
        }
        if (!inputs.answers.empty()) {
            argv.insert(argv.end(), {"--answers", "answers.txt"});
        }
        argv.insert(argv.end(), {"--log", "run.log", "--png", "run.png", "--max-log", std::to_string(check_max_log)});
        SandboxCommand command = tool_command(argv, work, prefix_);
        command.limits = run_limits;
        command.what = "the program";
        result.failure = run_failure_reason(run_sandboxed(command));
        result.transcript = work / "run.log";
        result.picture = work / "run.png";
        if (!result.failure && (!regular_file(result.transcript) || !regular_file(result.picture))) {
            result.failure = "the program wrote no transcript or picture";
        }
        return result;
    }

    fs::path prefix_;
    fs::path scratch_;
    mutable std::once_flag flags_once_;
    mutable std::vector<std::string> flags_;
    mutable std::string flags_failure_;
    mutable bool flags_ready_ = false;
};

}  // namespace

std::unique_ptr<CheckBuilder> make_check_builder(const BuildSetup& setup)
{
    return std::make_unique<NativeCheckBuilder>(setup);
}

}  // namespace tavro::studio
