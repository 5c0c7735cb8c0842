// Checking a student's program as the package's CTest check does: built natively with g++
// against the installed render library, run by its render entry with the exercise's script,
// answers and start time, and compared with the references by the installed tavro-check. Every
// tool runs in the sandbox; the reasons are worded as the check words them.
#pragma once

#include "page_build.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavro::studio {

// What a run is given: the script's events, the dialog's replies (one a line) and the start time.
struct CheckInputs {
    std::string script;
    std::string answers;
    std::int64_t time = 0;
};

// The references of an exercise, made from the teacher's solution.
struct References {
    bool made = false;
    std::string reason;                   // not made: one line
    std::vector<Diagnostic> diagnostics;  // not made because it does not build
    std::string transcript;
    std::string picture;  // the last frame, PNG
};

// A transcript line that differs, as tavro-check shows it (invisible characters written out).
struct DifferingLine {
    std::int64_t line = 0;
    std::string expected;
    std::string actual;
};

struct CheckVerdict {
    bool passed = false;
    std::string reason;                   // one line, as the CTest check words it
    std::vector<Diagnostic> diagnostics;  // the program does not build: the compiler's messages
    std::vector<DifferingLine> lines;     // the first differing lines
    std::string picture;                  // the run's last frame (PNG), when it ran to its end
    std::string difference;               // PNG: where the pictures differ, red
};

// The check's own bounds, as tavro_add_check's defaults: the time a run may take and the
// transcript's size.
constexpr int check_timeout_seconds = 30;
constexpr std::int64_t check_max_log = 64 * 1024 * 1024;

class CheckBuilder {
public:
    virtual ~CheckBuilder() = default;
    // Blocking and safe to call from several workers at once.
    virtual References make_references(std::string_view solution, const CheckInputs& inputs) const = 0;
    virtual CheckVerdict check(std::string_view source, const CheckInputs& inputs,
                               const References& references) const = 0;
};

std::unique_ptr<CheckBuilder> make_check_builder(const BuildSetup& setup);

}  // namespace tavro::studio
