// What tavro-check compares: a run's transcript with the reference one, line by line, and
// its last frame with the reference picture, pixel by pixel.
#pragma once

#include "check/png_reader.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tavro {

struct LineDifference {
    std::size_t number;  // from 1
    std::string expected;
    std::string actual;
    bool expected_missing;  // the reference ended before this line
    bool actual_missing;    // the run's transcript ended before this line
};

struct TranscriptComparison {
    std::size_t expected_lines = 0;
    std::size_t actual_lines = 0;
    std::size_t differing_lines = 0;
    std::vector<LineDifference> first;  // the first few differing lines
};

// Compares the texts line by line, by line number; a carriage return before a line feed is
// not part of the line.
TranscriptComparison compare_transcripts(const std::string& expected, const std::string& actual,
                                         std::size_t lines_kept);

struct PictureComparison {
    bool same_size = false;
    long long differing_pixels = 0;
    // Where they differ, red; elsewhere the reference, faded. Empty when the sizes differ.
    Picture difference;
};

PictureComparison compare_pictures(const Picture& expected, const Picture& actual);

}  // namespace tavro
