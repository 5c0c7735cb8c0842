#include "check_words.h"

#include <charconv>

namespace tavro::studio {

namespace {

bool mentions(const std::string& text, const char* words) { return text.find(words) != std::string::npos; }

std::string mebibytes_or_bytes(std::int64_t bytes)
{
    return bytes % mebibytes == 0 ? std::to_string(bytes / mebibytes) + " MiB" : std::to_string(bytes) + " bytes";
}

}  // namespace

std::optional<std::string> run_failure_reason(const SandboxResult& run)
{
    switch (run.ending) {
    case SandboxResult::Ending::exited:
        if (run.status == 0) {
            return std::nullopt;
        }
        if (mentions(run.output, "the log grew past ")) {
            return "the transcript grew past " + mebibytes_or_bytes(check_max_log);
        }
        return "the program ended with status " + std::to_string(run.status);
    case SandboxResult::Ending::signalled:
        return "the program crashed (signal " + std::to_string(run.status) + ")";
    case SandboxResult::Ending::limit:
        // The check's time limit is on the clock; a program that spends it computing passes
        // the CPU limit first.
        if (run.limit == Limit::cpu_time || run.limit == Limit::wall_time) {
            return "did not end within " + std::to_string(check_timeout_seconds) + " s";
        }
        return run.reason;
    case SandboxResult::Ending::refused:
        break;
    }
    return run.reason;
}

std::string comparison_reason(const SandboxResult& compare)
{
    if (compare.ending == SandboxResult::Ending::exited && compare.status == 0) {
        return "matches the references";
    }
    const bool transcript = mentions(compare.output, "the transcript differs");
    const bool picture = mentions(compare.output, "the picture differs");
    if (transcript && picture) {
        return "the transcript and the picture differ from the references";
    }
    if (transcript || picture) {
        return std::string(transcript ? "the transcript" : "the picture") + " differs from the reference";
    }
    if (compare.ending == SandboxResult::Ending::exited) {
        return "tavro-check could not compare (status " + std::to_string(compare.status) + ")";
    }
    return "tavro-check did not end (" +
           (compare.reason.empty() ? "signal " + std::to_string(compare.status) : compare.reason) + ")";
}

std::vector<DifferingLine> differing_lines(const std::string& report)
{
    constexpr std::string_view line_word = "  line ";
    constexpr std::string_view expected_word = ", expected: ";
    constexpr std::string_view actual_word = ", actual:   ";
    std::vector<DifferingLine> lines;
    std::size_t start = 0;
    while (start < report.size()) {
        const std::size_t end = std::min(report.find('\n', start), report.size());
        const std::string_view text = std::string_view(report).substr(start, end - start);
        start = end + 1;
        if (text.substr(0, line_word.size()) != line_word) {
            continue;
        }
        std::int64_t number = 0;
        const char* digits = text.data() + line_word.size();
        const auto [after, error] = std::from_chars(digits, text.data() + text.size(), number);
        if (error != std::errc()) {
            continue;
        }
        const std::string_view rest = text.substr(static_cast<std::size_t>(after - text.data()));
        if (rest.substr(0, expected_word.size()) == expected_word) {
            lines.push_back({number, std::string(rest.substr(expected_word.size())), {}});
        } else if (rest.substr(0, actual_word.size()) == actual_word && !lines.empty() && lines.back().line == number) {
            lines.back().actual = std::string(rest.substr(actual_word.size()));
        }
    }
    return lines;
}

}  // namespace tavro::studio
