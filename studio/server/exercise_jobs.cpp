#include "exercise_jobs.h"
#include "base64.h"
#include "job_answers.h"
#include "page_jobs.h"

namespace tavro::studio {

namespace {

constexpr std::size_t preview_lines = 20;

nlohmann::json diagnostics_json(const std::vector<Diagnostic>& diagnostics)
{
    auto list = nlohmann::json::array();
    for (const auto& diagnostic : diagnostics) {
        list.push_back({{"line", diagnostic.line}, {"column", diagnostic.column}, {"message", diagnostic.message}});
    }
    return list;
}

CheckInputs inputs_of(const nlohmann::json& details)
{
    return CheckInputs{details.at("script"), details.at("answers"), details.at("time")};
}

nlohmann::json references_answer(const JobSpec& job, const JobTools& tools)
{
    const nlohmann::json& details = job.details;
    const References references = tools.checks.make_references(job.source, inputs_of(details));
    if (!references.made) {
        std::string line = references.reason;
        if (!references.diagnostics.empty()) {
            const Diagnostic& first = references.diagnostics.front();
            line += ": " + (first.line > 0 ? "line " + std::to_string(first.line) + ": " : "") + first.message;
        }
        return job_error(422, line);
    }
    nlohmann::json answer = {{"transcript", first_lines(references.transcript, preview_lines)}};
    if (details.at("preview")) {
        answer["picture"] = "data:image/png;base64," + base64(references.picture);
        return answer;
    }
    Exercise exercise;
    exercise.id = details.at("exercise");
    exercise.class_id = details.at("class");
    exercise.title = details.at("title");
    exercise.text = details.at("text");
    exercise.solution = job.source;
    exercise.script = details.at("script");
    exercise.answers = details.at("answers");
    exercise.time = details.at("time");
    exercise.transcript = references.transcript;
    exercise.picture = references.picture;
    if (exercise.id == 0) {
        exercise.id = tools.store.add_exercise(exercise, tools.clock());
    } else if (auto updated = tools.store.update_exercise(exercise, tools.clock())) {
        exercise.revision = updated->revision;
    } else {
        return job_error(404, "no such exercise");
    }
    answer["id"] = exercise.id;
    answer["revision"] = exercise.revision;
    answer["picture"] = exercise_picture_path(exercise.id) + "?revision=" + std::to_string(exercise.revision);
    return answer;
}

nlohmann::json check_answer(const JobSpec& job, const JobTools& tools)
{
    const auto exercise = tools.store.exercise(job.details.at("exercise").get<std::int64_t>());
    if (!exercise || exercise->withdrawn) {
        return job_error(404, "no such exercise");
    }
    const CheckInputs inputs{exercise->script, exercise->answers, exercise->time};
    References references;
    references.made = true;
    references.transcript = exercise->transcript;
    references.picture = exercise->picture;
    const CheckVerdict verdict = tools.checks.check(job.source, inputs, references);
    auto lines = nlohmann::json::array();
    for (const auto& line : verdict.lines) {
        lines.push_back({{"line", line.line}, {"expected", line.expected}, {"actual", line.actual}});
    }
    Submission submission;
    submission.student_id = job.details.at("student");
    submission.exercise_id = exercise->id;
    submission.source = job.source;
    submission.passed = verdict.passed;
    submission.reason = verdict.reason;
    submission.details = nlohmann::json{{"lines", lines}, {"diagnostics", diagnostics_json(verdict.diagnostics)}}.dump(
        -1, ' ', false, nlohmann::json::error_handler_t::replace);
    submission.picture = verdict.picture;
    submission.difference = verdict.difference;
    submission.revision = exercise->revision;
    submission.submitted = tools.clock();
    submission.id = tools.store.add_submission(submission);
    return submission_json(submission, exercise->revision);
}

}  // namespace

nlohmann::json run_job(const JobSpec& job, const JobTools& tools)
{
    if (job.kind == "check") {
        return check_answer(job, tools);
    }
    if (job.kind == "references") {
        return references_answer(job, tools);
    }
    return run_page_job(job, tools.pages, tools.store, tools.clock());
}

JobSpec references_job(std::int64_t teacher_id, const ExerciseInput& input, std::int64_t class_id,
                       std::int64_t exercise_id, bool preview)
{
    JobSpec job;
    job.owner = check_owner(teacher_id);
    job.kind = "references";
    job.source = input.solution;
    job.details = {{"class", class_id},
                   {"exercise", exercise_id},
                   {"preview", preview},
                   {"title", input.title},
                   {"text", input.text},
                   {"script", input.inputs.script},
                   {"answers", input.inputs.answers},
                   {"time", input.inputs.time}};
    return job;
}

JobSpec check_job(std::int64_t student_id, std::int64_t exercise_id, std::string source)
{
    JobSpec job;
    job.owner = check_owner(student_id);
    job.kind = "check";
    job.source = std::move(source);
    job.details = {{"student", student_id}, {"exercise", exercise_id}};
    return job;
}

std::string exercise_picture_path(std::int64_t exercise_id)
{
    return "/api/exercises/" + std::to_string(exercise_id) + "/picture";
}

std::string submission_picture_path(std::int64_t submission_id, const char* which)
{
    return "/api/submissions/" + std::to_string(submission_id) + "/" + which;
}

nlohmann::json submission_json(const Submission& submission, std::int64_t current_revision)
{
    nlohmann::json details = nlohmann::json::parse(submission.details, nullptr, false);
    if (!details.is_object()) {
        details = nlohmann::json::object();
    }
    return {{"id", submission.id},
            {"exercise", submission.exercise_id},
            {"verdict", submission.passed ? "pass" : "fail"},
            {"reason", submission.reason},
            {"lines", details.value("lines", nlohmann::json::array())},
            {"diagnostics", details.value("diagnostics", nlohmann::json::array())},
            {"picture", submission.picture.empty() ? "" : submission_picture_path(submission.id, "picture")},
            {"difference", submission.difference.empty() ? "" : submission_picture_path(submission.id, "difference")},
            {"when", iso_time(submission.submitted)},
            {"revision", submission.revision},
            {"outdated", submission.revision != current_revision}};
}

nlohmann::json first_lines(const std::string& transcript, std::size_t count)
{
    auto lines = nlohmann::json::array();
    std::size_t start = 0;
    while (start < transcript.size() && lines.size() < count) {
        const std::size_t end = std::min(transcript.find('\n', start), transcript.size());
        lines.push_back(transcript.substr(start, std::min<std::size_t>(end - start, 300)));
        start = end + 1;
    }
    return lines;
}

}  // namespace tavro::studio
