// A class's table of verdicts: a row per student, a column per exercise, each cell the last
// submission's verdict, when and how many tries; as JSON, as CSV for gradebooks and as JUnit
// XML for CI systems.
#pragma once

#include "store.h"

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

namespace tavro::studio {

struct ClassResults {
    Class of;
    std::vector<Student> students;
    std::vector<Exercise> exercises;                                    // without their references
    std::map<std::pair<std::int64_t, std::int64_t>, ResultCell> cells;  // by (student, exercise)

    const ResultCell* cell(std::int64_t student_id, std::int64_t exercise_id) const;
};

ClassResults class_results(Store& store, const Class& of);

nlohmann::json results_json(const ClassResults& results);
std::string results_csv(const ClassResults& results);
std::string results_junit(const ClassResults& results);

}  // namespace tavro::studio
