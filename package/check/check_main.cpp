// tavro-check: compares a run's transcript and last frame with the references a teacher
// made, and shows where they differ. Status 0 when both match, 1 when either differs, 2 for
// a bad argument or a file that cannot be read.
#include "check/comparison.h"
#include "check/png_reader.h"
#include "render/png_writer.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

namespace {

constexpr const char* PROGRAM = "tavro-check";
constexpr std::size_t LINES_SHOWN = 5;

enum Status { SAME = 0, DIFFERENT = 1, BAD_INPUT = 2 };

struct Pair {
    std::string expected;
    std::string actual;
};

struct Arguments {
    std::optional<Pair> log;
    std::optional<Pair> png;
    std::string difference;
};

std::string usage()
{
    return std::string("usage: ") + PROGRAM + " [--log EXPECTED ACTUAL] [--png EXPECTED ACTUAL [--difference FILE]]";
}

std::string help()
{
    return usage() + "\n\n"
                     "Compares a run's transcript (--log) and last frame (--png) with the references.\n\n"
                     "  --log EXPECTED ACTUAL  transcripts, compared line by line; the first differing\n"
                     "                         lines are shown\n"
                     "  --png EXPECTED ACTUAL  PNG pictures (8-bit RGB or RGBA), compared pixel by pixel;\n"
                     "                         the number of differing pixels is shown\n"
                     "  --difference FILE      where the pictures differ, write FILE: those pixels red,\n"
                     "                         the rest of the reference faded\n"
                     "  --help                 print this text and exit\n\n"
                     "Exit status: 0 when everything compared matches, 1 when anything differs, 2 for a\n"
                     "bad argument or a file that cannot be read.\n";
}

// Reads the arguments; on a problem returns nothing and sets problem.
std::optional<Arguments> parse(int argc, char** argv, std::string& problem)
{
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const int values = option == "--log" || option == "--png" ? 2 : option == "--difference" ? 1 : 0;
        if (values == 0) {
            problem = "unknown option '" + option + "'";
            return std::nullopt;
        }
        if (i + values >= argc) {
            problem = "option " + option + (values == 2 ? " needs two files" : " needs a file");
            return std::nullopt;
        }
        if (option == "--difference") {
            arguments.difference = argv[++i];
        } else {
            Pair pair{argv[i + 1], argv[i + 2]};
            (option == "--log" ? arguments.log : arguments.png) = pair;
            i += 2;
        }
    }
    if (!arguments.log && !arguments.png) {
        problem = "nothing to compare: give --log, --png or both";
        return std::nullopt;
    }
    if (!arguments.difference.empty() && !arguments.png) {
        problem = "--difference needs --png";
        return std::nullopt;
    }
    return arguments;
}

std::optional<std::string> read_text(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << PROGRAM << ": cannot read transcript '" << path << "': " << std::strerror(errno) << '\n';
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void show_files(const Pair& files)
{
    std::cout << "  reference: " << files.expected << "\n  run:       " << files.actual << '\n';
}

Status check_transcripts(const Pair& files)
{
    const std::optional<std::string> expected = read_text(files.expected);
    const std::optional<std::string> actual = expected ? read_text(files.actual) : std::nullopt;
    if (!actual) {
        return BAD_INPUT;
    }
    const TranscriptComparison comparison = compare_transcripts(*expected, *actual, LINES_SHOWN);
    const std::size_t lines = std::max(comparison.expected_lines, comparison.actual_lines);
    if (comparison.differing_lines == 0) {
        std::cout << PROGRAM << ": the transcript matches the reference (" << lines << " lines)\n";
        return SAME;
    }
    std::cout << PROGRAM << ": the transcript differs from the reference in " << comparison.differing_lines << " of "
              << lines << " lines\n";
    show_files(files);
    for (const LineDifference& line : comparison.first) {
        std::cout << "  line " << line.number
                  << ", expected: " << (line.expected_missing ? "(no such line)" : line.expected) << "\n  line "
                  << line.number << ", actual:   " << (line.actual_missing ? "(no such line)" : line.actual) << '\n';
    }
    if (comparison.differing_lines > comparison.first.size()) {
        std::cout << "  ... and " << comparison.differing_lines - comparison.first.size() << " more\n";
    }
    return DIFFERENT;
}

std::optional<Picture> read_picture(const std::string& path)
{
    std::string problem;
    std::optional<Picture> picture = read_png(path, problem);
    if (!picture) {
        std::cerr << PROGRAM << ": cannot read picture '" << path << "': " << problem << '\n';
    }
    return picture;
}

bool write_difference(const std::string& path, const Picture& picture)
{
    tavro::PixelRows rows;
    rows.data = reinterpret_cast<const unsigned char*>(picture.pixels.data());
    rows.stride = picture.width * 4;
    rows.width = picture.width;
    rows.height = picture.height;
    return write_png(path, rows, 0, 0, picture.width, picture.height);
}

Status check_pictures(const Pair& files, const std::string& difference_path)
{
    const std::optional<Picture> expected = read_picture(files.expected);
    const std::optional<Picture> actual = expected ? read_picture(files.actual) : std::nullopt;
    if (!actual) {
        return BAD_INPUT;
    }
    const PictureComparison comparison = compare_pictures(*expected, *actual);
    if (!difference_path.empty()) {
        std::error_code ignored;
        std::filesystem::remove(difference_path, ignored);  // never one left from an earlier run
    }
    if (!comparison.same_size) {
        std::cout << PROGRAM << ": the picture is " << actual->width << " x " << actual->height
                  << " pixels, the reference " << expected->width << " x " << expected->height << '\n';
        show_files(files);
        return DIFFERENT;
    }
    const std::size_t pixels = expected->pixels.size();
    if (comparison.differing_pixels == 0) {
        std::cout << PROGRAM << ": the picture matches the reference (" << pixels << " pixels)\n";
        return SAME;
    }
    std::cout << PROGRAM << ": the picture differs from the reference in " << comparison.differing_pixels << " of "
              << pixels << " pixels";
    if (difference_path.empty()) {
        std::cout << '\n';
    } else if (write_difference(difference_path, comparison.difference)) {
        std::cout << ", shown red in " << difference_path << '\n';
    } else {
        std::cout << '\n';
        std::cerr << PROGRAM << ": cannot write the difference picture '" << difference_path << "'\n";
    }
    show_files(files);
    return DIFFERENT;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::string(argv[1]) == "--help") {
        std::cout << help();
        return SAME;
    }
    std::string problem;
    const std::optional<Arguments> arguments = parse(argc, argv, problem);
    if (!arguments) {
        std::cerr << PROGRAM << ": " << problem << " (" << usage() << ")\n";
        return BAD_INPUT;
    }
    const Status log = arguments->log ? check_transcripts(*arguments->log) : SAME;
    const Status png = arguments->png ? check_pictures(*arguments->png, arguments->difference) : SAME;
    return std::max(log, png);
}
