#include "check/comparison.h"

#include "support/split_lines.h"

#include <algorithm>

namespace tavro {

namespace {

constexpr std::uint32_t DIFFERENCE_COLOUR = 0xFFFF0000;  // opaque red

// A pixel of the reference three quarters of the way to white: still recognisable, never
// mistaken for a difference.
std::uint32_t faded(std::uint32_t pixel)
{
    std::uint32_t result = 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t channel = (pixel >> shift) & 0xFF;
        result |= (255 - (255 - channel) / 4) << shift;
    }
    return result;
}

}  // namespace

TranscriptComparison compare_transcripts(const std::string& expected, const std::string& actual, std::size_t lines_kept)
{
    const std::vector<std::string> expected_lines = split_lines(expected);
    const std::vector<std::string> actual_lines = split_lines(actual);
    TranscriptComparison comparison;
    comparison.expected_lines = expected_lines.size();
    comparison.actual_lines = actual_lines.size();
    const std::size_t count = std::max(expected_lines.size(), actual_lines.size());
    for (std::size_t i = 0; i < count; ++i) {
        const bool expected_missing = i >= expected_lines.size();
        const bool actual_missing = i >= actual_lines.size();
        if (!expected_missing && !actual_missing && expected_lines[i] == actual_lines[i]) {
            continue;
        }
        ++comparison.differing_lines;
        if (comparison.first.size() < lines_kept) {
            comparison.first.push_back({i + 1, expected_missing ? "" : expected_lines[i],
                                        actual_missing ? "" : actual_lines[i], expected_missing, actual_missing});
        }
    }
    return comparison;
}

PictureComparison compare_pictures(const Picture& expected, const Picture& actual)
{
    PictureComparison comparison;
    comparison.same_size = expected.width == actual.width && expected.height == actual.height;
    if (!comparison.same_size) {
        return comparison;
    }
    comparison.difference = expected;
    for (std::size_t i = 0; i < expected.pixels.size(); ++i) {
        if (expected.pixels[i] == actual.pixels[i]) {
            comparison.difference.pixels[i] = faded(expected.pixels[i]);
        } else {
            comparison.difference.pixels[i] = DIFFERENCE_COLOUR;
            ++comparison.differing_pixels;
        }
    }
    return comparison;
}

}  // namespace tavro
