// What a teacher gives for an exercise, read from a request and checked: each fault is an
// HttpError 400 (413 for a size) naming the field and the problem in one line.
#pragma once

#include "check_build.h"
#include "http_support.h"

#include <optional>
#include <string>

namespace tavro::studio {

struct ExerciseInput {
    std::string title;
    std::string text;
    std::string solution;
    CheckInputs inputs;  // script, answers, time
};

constexpr std::size_t max_title = 200;
constexpr std::size_t max_exercise_text = 64 * 1024;
constexpr std::size_t max_script = 64 * 1024;
constexpr std::size_t max_answers = 64 * 1024;

// Throws when text is not plain text (UTF-8 without control characters but tab and line ends)
// or is longer than limit bytes.
void check_text(const std::string& text, const char* what, std::size_t limit);

// Throws when the script has a line that is none of TAVRO_MOUSE(x, y); TAVRO_KBD(n);
// TAVRO_PERIODIC(n); or has no event at all.
void check_script(const std::string& script);

// The exercise's fields of a body read by read_object, checked; max_source bounds the solution.
ExerciseInput exercise_input(const nlohmann::json& body, std::size_t max_source);

}  // namespace tavro::studio
