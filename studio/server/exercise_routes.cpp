// Exercises, submissions and the class's results. A student sees the exercises of their own
// class and their own submissions; a teacher those of their own classes. What another may not
// see answers as if it did not exist.
#include "class_results.h"
#include "exercise_jobs.h"
#include "job_answers.h"
#include "page_jobs.h"
#include "studio.h"

namespace tavro::studio {

namespace {

constexpr const char* no_exercise = "no such exercise";
constexpr const char* no_submission = "no such submission";

Class teachers_class(Studio& studio, const User& teacher, std::int64_t id)
{
    auto found = studio.store.class_by_id(id);
    if (!found || found->teacher_id != teacher.id) {
        throw HttpError(404, "no such class");
    }
    return *found;
}

bool teaches(Studio& studio, const User& user, std::int64_t class_id)
{
    auto found = studio.store.class_by_id(class_id);
    return user.role == Role::teacher && found && found->teacher_id == user.id;
}

// The exercise as this user may see it: its teacher always, a student of its class while it
// is not withdrawn.
Exercise visible_exercise(Studio& studio, const User& user, const std::string& id_text)
{
    auto found = studio.store.exercise(path_number(id_text, no_exercise));
    const bool visible =
        found && (teaches(studio, user, found->class_id) ||
                  (user.role == Role::student && user.class_id == found->class_id && !found->withdrawn));
    if (!visible) {
        throw HttpError(404, no_exercise);
    }
    return *found;
}

Exercise teachers_exercise(Studio& studio, const User& teacher, const std::string& id_text)
{
    Exercise exercise = visible_exercise(studio, teacher, id_text);
    if (teacher.role != Role::teacher) {
        throw HttpError(403, "only a teacher may do this");
    }
    return exercise;
}

// A submission its student or their class's teacher may see, with its exercise.
std::pair<Submission, Exercise> visible_submission(Studio& studio, const User& user, const std::string& id_text)
{
    auto found = studio.store.submission(path_number(id_text, no_submission));
    auto exercise = found ? studio.store.exercise(found->exercise_id) : std::nullopt;
    if (!found || !exercise || (found->student_id != user.id && !teaches(studio, user, exercise->class_id))) {
        throw HttpError(404, no_submission);
    }
    return {*found, *exercise};
}

// An exercise's fields in a body; a new one names its class too.
nlohmann::json exercise_body(const httplib::Request& request, bool with_class)
{
    if (with_class) {
        return read_object(request, {{"class", FieldType::integer},
                                     {"title", FieldType::string},
                                     {"text", FieldType::string, false},
                                     {"solution", FieldType::string},
                                     {"script", FieldType::string},
                                     {"answers", FieldType::string, false},
                                     {"time", FieldType::integer, false}});
    }
    return read_object(request, {{"title", FieldType::string},
                                 {"text", FieldType::string, false},
                                 {"solution", FieldType::string},
                                 {"script", FieldType::string},
                                 {"answers", FieldType::string, false},
                                 {"time", FieldType::integer, false}});
}

void submit_references(Studio& studio, httplib::Response& response, JobSpec job)
{
    const std::int64_t owner = job.owner;
    auto id = studio.jobs.submit_alone(std::move(job));
    if (!id) {
        throw HttpError(429, "your last exercise is still being prepared: wait for it");
    }
    answer_job(response, *id, studio.jobs.status(*id, owner, studio.options.run_wait));
}

void create(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    auto body = exercise_body(request, true);
    User teacher = studio.teacher(request);
    Class of = teachers_class(studio, teacher, body["class"].get<std::int64_t>());
    ExerciseInput input = exercise_input(body, studio.options.max_source);
    submit_references(studio, response, references_job(teacher.id, input, of.id, 0, false));
}

void preview(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    auto body = exercise_body(request, false);
    User teacher = studio.teacher(request);
    ExerciseInput input = exercise_input(body, studio.options.max_source);
    submit_references(studio, response, references_job(teacher.id, input, 0, 0, true));
}

void edit(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    auto body = exercise_body(request, false);
    User teacher = studio.teacher(request);
    Exercise exercise = teachers_exercise(studio, teacher, request.matches[1]);
    ExerciseInput input = exercise_input(body, studio.options.max_source);
    const bool same_references = input.solution == exercise.solution && input.inputs.script == exercise.script &&
                                 input.inputs.answers == exercise.answers && input.inputs.time == exercise.time;
    if (!same_references) {
        submit_references(studio, response, references_job(teacher.id, input, exercise.class_id, exercise.id, false));
        return;
    }
    exercise.title = input.title;
    exercise.text = input.text;
    auto updated = studio.store.update_exercise(exercise, studio.clock());
    if (!updated) {
        throw HttpError(404, no_exercise);
    }
    answer_json(response,
                {{"id", updated->id},
                 {"revision", updated->revision},
                 {"picture", exercise_picture_path(updated->id) + "?revision=" + std::to_string(updated->revision)}});
}

void set_withdrawn(Studio& studio, const httplib::Request& request, httplib::Response& response, bool withdrawn)
{
    read_object(request, {});
    User teacher = studio.teacher(request);
    Exercise exercise = teachers_exercise(studio, teacher, request.matches[1]);
    studio.store.set_withdrawn(exercise.id, withdrawn, studio.clock());
    answer_json(response, {{"id", exercise.id}, {"withdrawn", withdrawn}});
}

void list(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    User user = studio.user(request);
    const std::int64_t class_id = path_number(request.get_param_value("class"), "no such class");
    const bool teacher = teaches(studio, user, class_id);
    if (!teacher && !(user.role == Role::student && user.class_id == class_id)) {
        throw HttpError(404, "no such class");
    }
    auto exercises = nlohmann::json::array();
    for (const Exercise& exercise : studio.store.exercises_of(class_id)) {
        if (exercise.withdrawn && !teacher) {
            continue;
        }
        nlohmann::json shown = {{"id", exercise.id}, {"title", exercise.title}, {"text", exercise.text}};
        if (teacher) {
            shown["withdrawn"] = exercise.withdrawn;
            shown["revision"] = exercise.revision;
        }
        exercises.push_back(std::move(shown));
    }
    answer_json(response, {{"exercises", exercises}});
}

void show(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    User user = studio.user(request);
    Exercise exercise = visible_exercise(studio, user, request.matches[1]);
    nlohmann::json shown = {
        {"id", exercise.id},
        {"class", exercise.class_id},
        {"title", exercise.title},
        {"text", exercise.text},
        {"revision", exercise.revision},
        {"picture", exercise_picture_path(exercise.id) + "?revision=" + std::to_string(exercise.revision)}};
    if (user.role == Role::teacher) {
        shown.update({{"solution", exercise.solution},
                      {"script", exercise.script},
                      {"answers", exercise.answers},
                      {"time", exercise.time},
                      {"withdrawn", exercise.withdrawn},
                      {"transcript", first_lines(exercise.transcript, 20)}});
    } else {
        auto mine = studio.store.submissions_of(user.id, exercise.id);
        shown["last"] = mine.empty() ? nlohmann::json(nullptr) : submission_json(mine.front(), exercise.revision);
        shown["source"] = mine.empty() ? "" : mine.front().source;
        shown["tries"] = mine.size();
    }
    answer_json(response, shown);
}

void answer_png(httplib::Response& response, const std::string& png)
{
    if (png.empty()) {
        throw HttpError(404, "no such picture");
    }
    response.set_header("Cache-Control", "private, no-cache");
    response.set_header("Content-Security-Policy", "sandbox");
    response.set_content(png, "image/png");
}

void picture(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    answer_png(response, visible_exercise(studio, studio.user(request), request.matches[1]).picture);
}

void submit(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    auto body = read_object(request, {{"source", FieldType::string}});
    User student = studio.user(request);
    if (student.role != Role::student) {
        throw HttpError(403, "only a student of the class may submit");
    }
    Exercise exercise = visible_exercise(studio, student, request.matches[1]);
    std::string source = body["source"];
    if (source.size() > studio.options.max_source) {
        throw HttpError(413, "the source is larger than " + std::to_string(studio.options.max_source / 1024) + " KiB");
    }
    const std::int64_t owner = check_owner(student.id);
    auto id = studio.jobs.submit_alone(check_job(student.id, exercise.id, std::move(source)));
    if (!id) {
        throw HttpError(429, "your last submission is still being checked: wait for its verdict");
    }
    answer_job(response, *id, studio.jobs.status(*id, owner, studio.options.run_wait));
}

void own_submissions(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    User user = studio.user(request);
    Exercise exercise = visible_exercise(studio, user, request.matches[1]);
    auto list = nlohmann::json::array();
    for (const Submission& submission : studio.store.submissions_of(user.id, exercise.id)) {
        list.push_back(submission_json(submission, exercise.revision));
    }
    answer_json(response, {{"submissions", list}});
}

void show_submission(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    auto [submission, exercise] = visible_submission(studio, studio.user(request), request.matches[1]);
    nlohmann::json shown = submission_json(submission, exercise.revision);
    auto student = studio.store.user_by_id(submission.student_id);
    shown["student"] = student ? student->name : "";
    shown["title"] = exercise.title;
    shown["source"] = submission.source;
    shown["reference"] = exercise_picture_path(exercise.id) + "?revision=" + std::to_string(exercise.revision);
    answer_json(response, shown);
}

void submission_png(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    auto [submission, exercise] = visible_submission(studio, studio.user(request), request.matches[1]);
    answer_png(response, request.matches[2] == "difference" ? submission.difference : submission.picture);
}

// The submission's program as a page, for its teacher (or student) to run: through the page
// builder and its cache, as a Run is.
void run_submission(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    read_object(request, {});
    User user = studio.user(request);
    auto [submission, exercise] = visible_submission(studio, user, request.matches[1]);
    if (auto id = studio.store.page_id_for_key(studio.builder.key(submission.source))) {
        answer_json(response, built_answer(*id));
        return;
    }
    std::string job = studio.jobs.submit(JobSpec{user.id, "page", submission.source, "submission.cpp", {}});
    answer_job(response, job, studio.jobs.status(job, user.id, studio.options.run_wait));
}

void results(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    Class of = teachers_class(studio, studio.teacher(request), path_number(request.matches[1], "no such class"));
    const ClassResults table = class_results(studio.store, of);
    const std::string format = request.matches[2];
    if (format.empty()) {
        answer_json(response, results_json(table));
        return;
    }
    response.set_header("Cache-Control", "no-store");
    response.set_header("Content-Disposition",
                        "attachment; filename=\"class-" + std::to_string(of.id) + "-results" + format + "\"");
    if (format == ".csv") {
        response.set_content(results_csv(table), "text/csv; charset=utf-8");
    } else {
        response.set_content(results_junit(table), "application/xml; charset=utf-8");
    }
}

}  // namespace

void add_exercise_routes(httplib::Server& server, Studio& studio)
{
    auto route = [&studio](auto function) { return guarded_route(studio, function); };
    server.Post("/api/exercises", route(create));
    server.Get("/api/exercises", route(list));
    server.Post("/api/exercises/preview", route(preview));
    server.Get(R"(/api/exercises/([0-9]{1,18}))", route(show));
    server.Put(R"(/api/exercises/([0-9]{1,18}))", route(edit));
    server.Post(
        R"(/api/exercises/([0-9]{1,18})/withdraw)",
        route([](Studio& s, const httplib::Request& q, httplib::Response& a) { set_withdrawn(s, q, a, true); }));
    server.Post(
        R"(/api/exercises/([0-9]{1,18})/restore)",
        route([](Studio& s, const httplib::Request& q, httplib::Response& a) { set_withdrawn(s, q, a, false); }));
    server.Get(R"(/api/exercises/([0-9]{1,18})/picture)", route(picture));
    server.Post(R"(/api/exercises/([0-9]{1,18})/submissions)", route(submit));
    server.Get(R"(/api/exercises/([0-9]{1,18})/submissions)", route(own_submissions));
    server.Get(R"(/api/submissions/([0-9]{1,18}))", route(show_submission));
    server.Get(R"(/api/submissions/([0-9]{1,18})/(picture|difference))", route(submission_png));
    server.Post(R"(/api/submissions/([0-9]{1,18})/run)", route(run_submission));
    server.Get(R"(/api/classes/([0-9]{1,18})/results(\.csv|\.xml)?)", route(results));
}

}  // namespace tavro::studio
