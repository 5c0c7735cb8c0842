// The jobs of exercises: making an exercise's references from its solution (then storing the
// exercise), and checking a student's submission against them (then storing the submission).
// Each answers as the request that made it does.
#pragma once

#include "check_build.h"
#include "clock.h"
#include "exercise_input.h"
#include "job_queue.h"
#include "page_build.h"
#include "store.h"

#include <nlohmann/json.hpp>

namespace tavro::studio {

struct JobTools {
    const PageBuilder& pages;
    const CheckBuilder& checks;
    Store& store;
    Clock clock;
};

// Any job of the queue, by its kind.
nlohmann::json run_job(const JobSpec& job, const JobTools& tools);

// A references job's details: the exercise to store (its id 0 for a new one, in class_id) or,
// with preview, only the references to show.
JobSpec references_job(std::int64_t teacher_id, const ExerciseInput& input, std::int64_t class_id,
                       std::int64_t exercise_id, bool preview);
JobSpec check_job(std::int64_t student_id, std::int64_t exercise_id, std::string source);

// Where the pictures are served.
std::string exercise_picture_path(std::int64_t exercise_id);
std::string submission_picture_path(std::int64_t submission_id, const char* which);

// A submission as its student and teacher see it; details as the store keeps them.
nlohmann::json submission_json(const Submission& submission, std::int64_t current_revision);

// The first lines of a transcript, for a teacher to read before publishing.
nlohmann::json first_lines(const std::string& transcript, std::size_t count);

}  // namespace tavro::studio
