#include "class_results.h"
#include "clock.h"

namespace tavro::studio {

namespace {

const char* verdict_word(const ResultCell* cell) { return !cell ? "none" : cell->passed ? "pass" : "fail"; }

// A CSV field, quoted; one a spreadsheet would take for a formula is written as text.
std::string csv_field(const std::string& text)
{
    std::string field = "\"";
    if (!text.empty() && std::string("=+-@\t\r").find(text[0]) != std::string::npos) {
        field += '\'';
    }
    for (char c : text) {
        field += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return field + "\"";
}

// Text for an XML attribute: markup escaped, characters XML cannot hold left out.
std::string xml_text(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            if (byte >= 0x20 || c == '\t') {
                escaped += c;
            } else if (c == '\n') {
                escaped += "&#10;";
            }
        }
    }
    return escaped;
}

}  // namespace

const ResultCell* ClassResults::cell(std::int64_t student_id, std::int64_t exercise_id) const
{
    auto found = cells.find({student_id, exercise_id});
    return found == cells.end() ? nullptr : &found->second;
}

ClassResults class_results(Store& store, const Class& of)
{
    ClassResults results;
    results.of = of;
    results.students = store.students_in(of.id);
    results.exercises = store.exercises_of(of.id);
    for (ResultCell& cell : store.class_results(of.id)) {
        results.cells[{cell.student_id, cell.exercise_id}] = std::move(cell);
    }
    return results;
}

nlohmann::json results_json(const ClassResults& results)
{
    auto students = nlohmann::json::array();
    auto exercises = nlohmann::json::array();
    auto rows = nlohmann::json::array();
    for (const Exercise& exercise : results.exercises) {
        exercises.push_back({{"id", exercise.id},
                             {"title", exercise.title},
                             {"revision", exercise.revision},
                             {"withdrawn", exercise.withdrawn}});
    }
    for (const Student& student : results.students) {
        students.push_back({{"id", student.id}, {"name", student.name}});
        auto row = nlohmann::json::array();
        for (const Exercise& exercise : results.exercises) {
            const ResultCell* cell = results.cell(student.id, exercise.id);
            nlohmann::json shown = {{"verdict", verdict_word(cell)},
                                    {"when", cell ? iso_time(cell->submitted) : ""},
                                    {"tries", cell ? cell->tries : 0}};
            if (cell) {
                shown["reason"] = cell->reason;
                shown["submission"] = cell->submission_id;
                shown["outdated"] = cell->revision != exercise.revision;
            }
            row.push_back(std::move(shown));
        }
        rows.push_back(std::move(row));
    }
    return {{"class", {{"id", results.of.id}, {"name", results.of.name}}},
            {"students", students},
            {"exercises", exercises},
            {"results", rows}};
}

std::string results_csv(const ClassResults& results)
{
    std::string csv = csv_field("student");
    for (const Exercise& exercise : results.exercises) {
        for (const char* column : {"", " tries", " when", " reason"}) {
            csv += "," + csv_field(exercise.title + column);
        }
    }
    csv += "\r\n";
    for (const Student& student : results.students) {
        csv += csv_field(student.name);
        for (const Exercise& exercise : results.exercises) {
            const ResultCell* cell = results.cell(student.id, exercise.id);
            csv += "," + csv_field(verdict_word(cell)) + "," + std::to_string(cell ? cell->tries : 0) + "," +
                   csv_field(cell ? iso_time(cell->submitted) : "") + "," + csv_field(cell ? cell->reason : "");
        }
        csv += "\r\n";
    }
    return csv;
}

std::string results_junit(const ClassResults& results)
{
    std::string suites;
    std::size_t tests = 0;
    std::size_t failures = 0;
    std::size_t skipped = 0;
    for (const Student& student : results.students) {
        std::string cases;
        std::size_t student_failures = 0;
        std::size_t student_skipped = 0;
        for (const Exercise& exercise : results.exercises) {
            const ResultCell* cell = results.cell(student.id, exercise.id);
            cases +=
                "    <testcase classname=\"" + xml_text(student.name) + "\" name=\"" + xml_text(exercise.title) + "\"";
            if (!cell) {
                cases += "><skipped message=\"not submitted\"/></testcase>\n";
                ++student_skipped;
            } else if (!cell->passed) {
                cases += "><failure message=\"" + xml_text(cell->reason) + "\"/></testcase>\n";
                ++student_failures;
            } else {
                cases += "/>\n";
            }
        }
        suites += "  <testsuite name=\"" + xml_text(student.name) + "\" tests=\"" +
                  std::to_string(results.exercises.size()) + "\" failures=\"" + std::to_string(student_failures) +
                  "\" skipped=\"" + std::to_string(student_skipped) + "\">\n" + cases + "  </testsuite>\n";
        tests += results.exercises.size();
        failures += student_failures;
        skipped += student_skipped;
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"" + xml_text(results.of.name) +
           "\" tests=\"" + std::to_string(tests) + "\" failures=\"" + std::to_string(failures) + "\" skipped=\"" +
           std::to_string(skipped) + "\">\n" + suites + "</testsuites>\n";
}

}  // namespace tavro::studio
