#include "check/check_command.h"
#include <tavro/version.h>

#include "check/comparison.h"
#include "check/input_file.h"
#include "check/png_reader.h"
#include "check/report.h"
#include "check/shown_line.h"
#include "render/output_target.h"
#include "render/png_writer.h"
#include "render/scratch_files.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>

namespace tavro {

namespace fs = std::filesystem;

namespace {

constexpr const char* PROGRAM = "tavro-check";
constexpr std::size_t LINES_SHOWN = 5;

struct Pair {
    std::string expected;
    std::string actual;
};

struct Arguments {
    std::optional<Pair> log;
    std::optional<Pair> png;
    std::string difference;
    std::string report;
    std::vector<std::string> folders;  // of the report
};

const char* const USAGE = "usage: tavro-check [--log EXPECTED ACTUAL] [--png EXPECTED ACTUAL [--difference FILE]]\n"
                          "       tavro-check --report OUT.html FOLDER...\n";

const char* const HELP = "\nCompares a run's transcript (--log) and last frame (--png) with the references.\n\n"
                         "  --log EXPECTED ACTUAL  transcripts, compared line by line; the first differing\n"
                         "                         lines are shown, invisible characters written out\n"
                         "  --png EXPECTED ACTUAL  PNG pictures (8-bit RGB or RGBA), compared pixel by pixel;\n"
                         "                         the number of differing pixels is shown\n"
                         "  --difference FILE      where the pictures differ, write FILE: those pixels red,\n"
                         "                         the rest of the reference faded; FILE is none of the inputs\n"
                         "  --report OUT.html FOLDER...\n"
                         "                         write one page of every check's verdict found in the folders\n"
                         "  --help                 print this text and exit\n"
                         "  --version              print the version and exit\n\n"
                         "Exit status: 0 when everything compared matches (or the page is written), 1 when\n"
                         "anything differs (or the page cannot be written), 2 for a bad argument or a file that\n"
                         "cannot be read.\n";

bool has(const std::vector<std::string>& arguments, const char* option)
{
    return std::find(arguments.begin(), arguments.end(), option) != arguments.end();
}

// Reads the arguments; on a problem returns nothing and sets problem.
std::optional<Arguments> parse(const std::vector<std::string>& arguments, std::string& problem)
{
    Arguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        const std::size_t values = option == "--log" || option == "--png"             ? 2
                                   : option == "--difference" || option == "--report" ? 1
                                                                                      : 0;
        if (values == 0) {
            problem = "unknown option '" + option + "'";
            return std::nullopt;
        }
        if (i + values >= arguments.size()) {
            problem = "option " + option + (values == 2 ? " needs two files" : " needs a file");
            return std::nullopt;
        }
        if (option == "--difference") {
            parsed.difference = arguments[++i];
        } else if (option == "--report") {
            parsed.report = arguments[++i];
            for (; i + 1 < arguments.size() && arguments[i + 1].rfind("--", 0) != 0; ++i) {
                parsed.folders.push_back(arguments[i + 1]);
            }
        } else {
            (option == "--log" ? parsed.log : parsed.png) = Pair{arguments[i + 1], arguments[i + 2]};
            i += 2;
        }
    }
    if (!parsed.report.empty()) {
        if (parsed.log || parsed.png) {
            problem = "--report compares nothing: give it alone";
        } else if (parsed.folders.empty()) {
            problem = "--report needs the folders to look for checks in";
        }
        return problem.empty() ? std::optional<Arguments>(parsed) : std::nullopt;
    }
    if (!parsed.log && !parsed.png) {
        problem = "nothing to compare: give --log, --png or both";
        return std::nullopt;
    }
    if (!parsed.difference.empty() && !parsed.png) {
        problem = "--difference needs --png";
        return std::nullopt;
    }
    return parsed;
}

void show_files(const Pair& files, std::ostream& out)
{
    out << "  reference: " << files.expected << "\n  run:       " << files.actual << '\n';
}

std::optional<std::string> read_transcript(const std::string& path, std::ostream& err)
{
    std::string problem;
    std::optional<std::string> text = read_input_file(path, problem);
    if (!text) {
        err << PROGRAM << ": cannot read transcript '" << path << "': " << problem << '\n';
    }
    return text;
}

CheckStatus check_transcripts(const Pair& files, std::ostream& out, std::ostream& err)
{
    const std::optional<std::string> expected = read_transcript(files.expected, err);
    const std::optional<std::string> actual = expected ? read_transcript(files.actual, err) : std::nullopt;
    if (!actual) {
        return BAD_INPUT;
    }
    const TranscriptComparison comparison = compare_transcripts(*expected, *actual, LINES_SHOWN);
    const std::size_t lines = std::max(comparison.expected_lines, comparison.actual_lines);
    if (comparison.differing_lines == 0) {
        out << PROGRAM << ": the transcript matches the reference (" << lines << " lines)\n";
        return SAME;
    }
    out << PROGRAM << ": the transcript differs from the reference in " << comparison.differing_lines << " of " << lines
        << " lines\n";
    show_files(files, out);
    for (const LineDifference& line : comparison.first) {
        const std::string none = "(no such line)";
        out << "  line " << line.number
            << ", expected: " << (line.expected_missing ? none : shown_line(line.expected, line.actual)) << "\n  line "
            << line.number << ", actual:   " << (line.actual_missing ? none : shown_line(line.actual, line.expected))
            << '\n';
    }
    if (comparison.differing_lines > comparison.first.size()) {
        out << "  ... and " << comparison.differing_lines - comparison.first.size() << " more\n";
    }
    return DIFFERENT;
}

std::optional<Picture> read_picture(const std::string& path, std::ostream& err)
{
    std::string problem;
    std::optional<Picture> picture = read_png(path, problem);
    if (!picture) {
        err << PROGRAM << ": cannot read picture '" << path << "': " << problem << '\n';
    }
    return picture;
}

// Where the difference picture goes: the path at the end of the name's links, when the name
// is a regular file's (or none yet) and none of the inputs; otherwise sets problem.
std::optional<std::string> difference_target(const Arguments& arguments, std::string& problem)
{
    const std::optional<OutputTarget> target = output_target(arguments.difference, problem);
    if (target && target->kind == OutputTarget::Kind::stream) {
        problem = "it is not a regular file";
        return std::nullopt;
    }
    std::vector<std::string> inputs{arguments.png->expected, arguments.png->actual};
    if (arguments.log) {
        inputs.insert(inputs.end(), {arguments.log->expected, arguments.log->actual});
    }
    for (const std::string& input : inputs) {
        if (target && same_file(target->path, input)) {
            problem = "it is the input '" + input + "'";
            return std::nullopt;
        }
    }
    return target ? std::optional<std::string>(target->path) : std::nullopt;
}

// Writes the picture to a temporary file beside path and renames it into place, so that a
// failure leaves whatever was there before; on failure sets problem.
bool write_difference(const std::string& path, const Picture& picture, std::string& problem)
{
    OutputFile file(path);
    if (!file.create(problem)) {
        return false;
    }
    tavro::PixelRows rows;
    rows.data = reinterpret_cast<const unsigned char*>(picture.pixels.data());
    rows.stride = picture.width * 4;
    rows.width = picture.width;
    rows.height = picture.height;
    if (!write_png(file.temporary_path(), rows, 0, 0, picture.width, picture.height)) {
        problem = "it cannot be written";
        return false;
    }
    return file.commit(problem);
}

// The difference picture as named on the command line, and the file written for it.
struct Output {
    std::string name;
    std::string path;
};

CheckStatus check_pictures(const Pair& files, const Output& difference, std::ostream& out, std::ostream& err)
{
    const std::optional<Picture> expected = read_picture(files.expected, err);
    const std::optional<Picture> actual = expected ? read_picture(files.actual, err) : std::nullopt;
    if (!actual) {
        return BAD_INPUT;
    }
    const PictureComparison comparison = compare_pictures(*expected, *actual);
    if (!comparison.same_size) {
        out << PROGRAM << ": the picture is " << actual->width << " x " << actual->height << " pixels, the reference "
            << expected->width << " x " << expected->height << '\n';
        show_files(files, out);
        return DIFFERENT;
    }
    const std::size_t pixels = expected->pixels.size();
    if (comparison.differing_pixels == 0) {
        out << PROGRAM << ": the picture matches the reference (" << pixels << " pixels)\n";
        return SAME;
    }
    out << PROGRAM << ": the picture differs from the reference in " << comparison.differing_pixels << " of " << pixels
        << " pixels";
    std::string problem;
    const bool written = !difference.path.empty() && write_difference(difference.path, comparison.difference, problem);
    out << (written ? ", shown red in " + difference.name : "") << '\n';
    show_files(files, out);
    if (!problem.empty()) {
        err << PROGRAM << ": cannot write the difference picture '" << difference.name << "': " << problem << '\n';
        return BAD_INPUT;
    }
    return DIFFERENT;
}

}  // namespace

int run_check(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    if (has(arguments, "--help")) {
        out << USAGE << HELP;
        return SAME;
    }
    if (has(arguments, "--version")) {
        out << PROGRAM << " (TAVRO " << TAVRO_VERSION_STRING << ")\n";
        return SAME;
    }
    std::string problem;
    const std::optional<Arguments> parsed = parse(arguments, problem);
    if (!parsed) {
        err << PROGRAM << ": " << problem << " (see " << PROGRAM << " --help)\n";
        return BAD_INPUT;
    }
    if (!parsed->report.empty()) {
        return write_report(parsed->report, parsed->folders, out, err);
    }
    Output difference{parsed->difference, ""};
    if (!parsed->difference.empty()) {
        const std::optional<std::string> target = difference_target(*parsed, problem);
        if (!target) {
            err << PROGRAM << ": cannot write the difference picture '" << parsed->difference << "': " << problem
                << '\n';
            return BAD_INPUT;
        }
        difference.path = *target;
    }
    const CheckStatus log = parsed->log ? check_transcripts(*parsed->log, out, err) : SAME;
    const CheckStatus png = parsed->png ? check_pictures(*parsed->png, difference, out, err) : SAME;
    return std::max(log, png);
}

}  // namespace tavro
