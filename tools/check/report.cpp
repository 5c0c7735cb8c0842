#include "check/report.h"

#include "check/input_file.h"
#include "check/png_reader.h"
#include "check/report_page.h"
#include "render/output_target.h"
#include "render/scratch_files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>

namespace tavro {

namespace fs = std::filesystem;

namespace {

constexpr const char* PROGRAM = "tavro-check";
constexpr const char* VERDICT_EXTENSION = ".verdict";

// The verdict files under folder; on a problem returns nothing and sets problem.
std::optional<std::vector<fs::path>> verdict_files(const std::string& folder, std::string& problem)
{
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        problem = fs::exists(folder, error) ? "it is not a folder" : "it does not exist";
        return std::nullopt;
    }
    std::vector<fs::path> files;
    fs::recursive_directory_iterator entry(folder, fs::directory_options::skip_permission_denied, error);
    for (; !error && entry != fs::recursive_directory_iterator(); entry.increment(error)) {
        if (entry->path().extension() == VERDICT_EXTENSION && entry->is_regular_file(error)) {
            files.push_back(entry->path());
        }
    }
    if (error) {
        problem = error.message();
        return std::nullopt;
    }
    return files;
}

// Adds the picture file beside the verdict when there is one; a picture that cannot be read
// is named in a note instead.
void add_picture(CheckResult& check, const fs::path& file, const std::string& caption)
{
    std::error_code error;
    if (!fs::exists(file, error)) {
        return;
    }
    std::string problem;
    const std::optional<std::string> bytes = read_input_file(file.string(), problem);
    if (bytes && decode_png(*bytes, problem)) {
        check.pictures.push_back({caption, *bytes});
    } else {
        check.notes.push_back(file.filename().string() + " cannot be shown: " + problem);
    }
}

CheckResult read_check(const fs::path& verdict_file)
{
    CheckResult check;
    check.name = verdict_file.stem().string();
    check.folder = verdict_file.parent_path().make_preferred().string();
    std::string problem;
    const std::optional<std::string> text = read_input_file(verdict_file.string(), problem);
    const std::optional<Verdict> verdict = text ? parse_verdict(*text, problem) : std::nullopt;
    if (!verdict) {
        check.verdict.reason =
            "its verdict file " + verdict_file.filename().string() + " is not understood: " + problem;
        return check;
    }
    check.verdict = *verdict;
    if (!check.verdict.passed) {
        const fs::path folder = verdict_file.parent_path();
        add_picture(check, folder / (check.name + "-difference.png"), "the difference: differing pixels red");
        add_picture(check, folder / (check.name + ".png"), "the run's last frame");
    }
    return check;
}

}  // namespace

int write_report(const std::string& path, const std::vector<std::string>& folders, std::ostream& out, std::ostream& err)
{
    std::vector<fs::path> files;
    for (const std::string& folder : folders) {
        std::string problem;
        const std::optional<std::vector<fs::path>> found = verdict_files(folder, problem);
        if (!found) {
            err << PROGRAM << ": cannot look for checks in '" << folder << "': " << problem << '\n';
            return 2;
        }
        for (const fs::path& file : *found) {  // folders given inside one another: each check once
            if (std::none_of(files.begin(), files.end(),
                             [&](const fs::path& seen) { return same_file(seen.string(), file.string()); })) {
                files.push_back(file);
            }
        }
    }
    if (files.empty()) {
        err << PROGRAM << ": no check's verdict (NAME" << VERDICT_EXTENSION << ") found in the folders given\n";
        return 2;
    }
    std::string problem;
    std::optional<OutputTarget> target = output_target(path, problem);
    if (target && target->kind == OutputTarget::Kind::stream) {
        problem = "it is not a regular file";
        target.reset();
    }
    for (const fs::path& file : files) {
        const std::string name = file.stem().string();
        for (const fs::path& input :
             {file, file.parent_path() / (name + ".png"), file.parent_path() / (name + "-difference.png")}) {
            if (target && same_file(target->path, input.string())) {
                problem = "it is the input '" + input.string() + "'";
                target.reset();
            }
        }
    }
    if (!target) {
        err << PROGRAM << ": cannot write the report '" << path << "': " << problem << '\n';
        return 2;
    }

    std::vector<CheckResult> checks;
    std::size_t passed = 0;
    for (const fs::path& file : files) {
        checks.push_back(read_check(file));
        passed += checks.back().verdict.passed ? 1 : 0;
    }
    OutputFile output(target->path);
    bool written = output.create(problem);
    if (written) {
        std::ofstream page(output.temporary_path(), std::ios::binary);
        page << report_page(std::move(checks));
        page.close();
        written = page ? output.commit(problem) : (problem = "it cannot be written", false);
    }
    if (!written) {
        err << PROGRAM << ": cannot write the report '" << path << "': " << problem << '\n';
        return 1;
    }
    out << PROGRAM << ": wrote " << path << ": " << files.size() << (files.size() == 1 ? " check, " : " checks, ")
        << passed << " passed, " << files.size() - passed << " failed\n";
    return 0;
}

}  // namespace tavro
