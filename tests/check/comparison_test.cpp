// What tavro-check finds: differing lines by number, differing pixels and their picture.
#include "check/comparison.h"
#include "check/shown_line.h"

#include <gtest/gtest.h>

using namespace tavro;

namespace {

struct Transcripts {
    const char* expected;
    const char* actual;
    std::size_t differing;
    std::size_t first_number;  // 0: none differs
    const char* first_actual;
};

TEST(Comparison, TranscriptsDifferLineByLine)
{
    const Transcripts cases[] = {
        {"a\nb\n", "a\r\nb", 0, 0, ""},  // line ends and a missing last one do not count
        {"a\nb\nc\n", "a\nB\nc\n", 1, 2, "B"}, {"a\nb\nc\n", "a\n", 2, 2, ""},  // the run's transcript ends early
        {"a\n", "a\nb\nc\n", 2, 2, "b"},       {"", "a\n", 1, 1, "a"},
    };
    for (const Transcripts& check : cases) {
        const TranscriptComparison comparison = compare_transcripts(check.expected, check.actual, 1);
        EXPECT_EQ(comparison.differing_lines, check.differing) << check.actual;
        ASSERT_EQ(comparison.first.size(), check.first_number ? 1u : 0u) << check.actual;
        if (check.first_number) {
            EXPECT_EQ(comparison.first[0].number, check.first_number);
            EXPECT_EQ(comparison.first[0].actual, check.first_actual);
            EXPECT_EQ(comparison.first[0].actual_missing, *check.first_actual == '\0');
        }
    }
}

TEST(Comparison, PicturesCountDifferingPixelsAndShowThemRed)
{
    const Picture expected{3, 2, {0xFF000000, 0xFFFFFFFF, 0xFF0000FF, 0xFF000000, 0xFF000000, 0xFF000000}};
    Picture actual = expected;
    EXPECT_EQ(compare_pictures(expected, actual).differing_pixels, 0);

    actual.pixels[4] = 0xFF000001;
    const PictureComparison one = compare_pictures(expected, actual);
    EXPECT_TRUE(one.same_size);
    EXPECT_EQ(one.differing_pixels, 1);
    // The rest of the reference faded three quarters of the way to white.
    EXPECT_EQ(one.difference.pixels,
              (std::vector<std::uint32_t>{0xFFC0C0C0, 0xFFFFFFFF, 0xFFC0C0FF, 0xFFC0C0C0, 0xFFFF0000, 0xFFC0C0C0}));

    EXPECT_FALSE(compare_pictures(expected, Picture{2, 3, expected.pixels}).same_size);
}

TEST(Comparison, DifferingLinesShowInvisibleCharactersAndAreCutAroundTheDifference)
{
    const std::string a250 = std::string(250, 'a');
    const std::pair<std::string, std::string> cases[] = {
        {"a\tb\rc", "a\\tb\\rc"},
        {std::string("a\0b", 3), "a\\0b"},
        {"a b  ", "a b\\x20\\x20"},
        {"back\\slash \x1b[0m\x7f", "back\\\\slash \\x1B[0m\\x7F"},
        {"caf\xc3\xa9", "caf\xc3\xa9"},
        // Long lines: 200 characters from 50 before the first difference, and the length.
        {a250 + std::string(50, 'b'), "..." + std::string(50, 'a') + std::string(50, 'b') + " (300 characters)"},
        {"b" + std::string(299, 'a'), "b" + std::string(199, 'a') + "... (300 characters)"},
    };
    for (const auto& [line, shown] : cases) {
        EXPECT_EQ(shown_line(line, std::string(300, 'a')), shown) << line;
    }
}

}  // namespace
