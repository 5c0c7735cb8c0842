#include "exercise_input.h"

#include <regex>

namespace tavro::studio {

namespace {

// The latest start time the render entry takes (the last second of the year 9999).
constexpr std::int64_t latest_time = 253402300799;

std::string line_number(std::size_t line) { return "line " + std::to_string(line); }

}  // namespace

void check_text(const std::string& text, const char* what, std::size_t limit)
{
    if (text.size() > limit) {
        throw HttpError(413, std::string("the ") + what + " is larger than " + std::to_string(limit / 1024) + " KiB");
    }
    std::size_t line = 1;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8_length(text, at);
        if (length == 0) {
            throw HttpError(400, std::string("the ") + what + " is not text (not UTF-8 at " + line_number(line) + ")");
        }
        const auto byte = static_cast<unsigned char>(text[at]);
        if ((byte < 0x20 && byte != '\n' && byte != '\r' && byte != '\t') || byte == 0x7f) {
            throw HttpError(400, std::string("the ") + what + " is not text (a control character at " +
                                     line_number(line) + ")");
        }
        line += byte == '\n';
        at += length;
    }
}

void check_script(const std::string& script)
{
    static const std::regex event(
        R"(\s*TAVRO_(MOUSE\(\s*-?\d{1,10}\s*,\s*-?\d{1,10}\s*\)|KBD\(\s*-?\d{1,3}\s*\)|PERIODIC\(\s*\d{1,9}\s*\))\s*;\s*)");
    static const std::regex zero_periodic(R"(\s*TAVRO_PERIODIC\(\s*0+\s*\)\s*;\s*)");
    std::size_t events = 0;
    std::size_t number = 0;
    std::size_t start = 0;
    while (start < script.size()) {
        const std::size_t end = std::min(script.find('\n', start), script.size());
        std::string line = script.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        if (!std::regex_match(line, event) || std::regex_match(line, zero_periodic)) {
            throw HttpError(400, "the script's " + line_number(number) +
                                     " is none of TAVRO_MOUSE(x, y); TAVRO_KBD(n); TAVRO_PERIODIC(n); (n from 1)");
        }
        ++events;
    }
    if (events == 0) {
        throw HttpError(400, "the script has no event: give at least one, TAVRO_PERIODIC(1); say");
    }
}

ExerciseInput exercise_input(const nlohmann::json& body, std::size_t max_source)
{
    ExerciseInput input;
    input.title = body["title"];
    input.text = body.value("text", "");
    input.solution = body["solution"];
    input.inputs.script = body["script"];
    input.inputs.answers = body.value("answers", "");
    input.inputs.time = body.value("time", std::int64_t{0});
    check_text(input.title, "title", max_title);
    if (input.title.find_first_not_of(" \t") == std::string::npos || input.title.find('\n') != std::string::npos) {
        throw HttpError(400, "the title must be one line of text");
    }
    check_text(input.text, "text", max_exercise_text);
    check_text(input.solution, "solution", max_source);
    check_text(input.inputs.script, "script", max_script);
    check_script(input.inputs.script);
    check_text(input.inputs.answers, "answers", max_answers);
    if (input.inputs.time < 0 || input.inputs.time > latest_time) {
        throw HttpError(400, "the start time must be 0 to " + std::to_string(latest_time) + " seconds since 1970");
    }
    return input;
}

}  // namespace tavro::studio
