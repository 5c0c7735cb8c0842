// The shared database's exercises and submissions.
#include "pg_store.h"

namespace tavro::studio {

namespace {

constexpr const char* exercise_columns = "SELECT id, class_id, title, text, solution, script, answers, time,"
                                         " revision, withdrawn, changed, transcript, picture FROM exercises";

Exercise read_exercise(const PgResult& rows, int row, bool with_references)
{
    Exercise exercise;
    exercise.id = rows.integer(row, 0);
    exercise.class_id = rows.integer(row, 1);
    exercise.title = rows.text(row, 2);
    exercise.text = rows.text(row, 3);
    exercise.solution = rows.text(row, 4);
    exercise.script = rows.text(row, 5);
    exercise.answers = rows.text(row, 6);
    exercise.time = rows.integer(row, 7);
    exercise.revision = rows.integer(row, 8);
    exercise.withdrawn = rows.integer(row, 9) != 0;
    exercise.changed = rows.integer(row, 10);
    if (with_references) {
        exercise.transcript = rows.text(row, 11);
        exercise.picture = rows.text(row, 12);
    }
    return exercise;
}

constexpr const char* submission_columns = "SELECT id, student_id, exercise_id, source, passed, reason, details,"
                                           " revision, submitted, picture, difference FROM submissions";

Submission read_submission(const PgResult& rows, int row, bool with_pictures)
{
    Submission submission;
    submission.id = rows.integer(row, 0);
    submission.student_id = rows.integer(row, 1);
    submission.exercise_id = rows.integer(row, 2);
    submission.source = rows.text(row, 3);
    submission.passed = rows.integer(row, 4) != 0;
    submission.reason = rows.text(row, 5);
    submission.details = rows.text(row, 6);
    submission.revision = rows.integer(row, 7);
    submission.submitted = rows.integer(row, 8);
    if (with_pictures) {
        submission.picture = rows.text(row, 9);
        submission.difference = rows.text(row, 10);
    }
    return submission;
}

}  // namespace

std::int64_t PgStore::add_exercise(const Exercise& exercise, Millis now)
{
    auto db = pool_.take();
    return db
        ->query("INSERT INTO exercises(class_id, title, text, solution, script, answers, time, transcript, picture,"
                " revision, withdrawn, created, changed) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, 1, 0, $10, $11)"
                " RETURNING id",
                {exercise.class_id, exercise.title, exercise.text, PgValue::bytes(exercise.solution),
                 PgValue::bytes(exercise.script), PgValue::bytes(exercise.answers), exercise.time,
                 PgValue::bytes(exercise.transcript), PgValue::bytes(exercise.picture), now, now})
        .integer(0, 0);
}

std::optional<Exercise> PgStore::update_exercise(const Exercise& exercise, Millis now)
{
    auto db = pool_.take();
    PgTransaction transaction(*db);
    auto rows = db->query((std::string(exercise_columns) + " WHERE id = $1 FOR UPDATE").c_str(), {exercise.id});
    if (rows.empty()) {
        return std::nullopt;
    }
    const Exercise before = read_exercise(rows, 0, true);
    Exercise after = exercise;
    after.class_id = before.class_id;
    after.withdrawn = before.withdrawn;
    after.revision = before.revision + (same_references_inputs(before, exercise) ? 0 : 1);
    after.changed = now;
    db->query("UPDATE exercises SET title = $1, text = $2, solution = $3, script = $4, answers = $5, time = $6,"
              " transcript = $7, picture = $8, revision = $9, changed = $10 WHERE id = $11",
              {after.title, after.text, PgValue::bytes(after.solution), PgValue::bytes(after.script),
               PgValue::bytes(after.answers), after.time, PgValue::bytes(after.transcript),
               PgValue::bytes(after.picture), after.revision, now, after.id});
    transaction.commit();
    return after;
}

bool PgStore::set_withdrawn(std::int64_t exercise_id, bool withdrawn, Millis now)
{
    auto db = pool_.take();
    return db->query("UPDATE exercises SET withdrawn = $1, changed = $2 WHERE id = $3", {withdrawn, now, exercise_id})
               .changed() > 0;
}

std::optional<Exercise> PgStore::exercise(std::int64_t id)
{
    auto db = pool_.take();
    auto rows = db->query((std::string(exercise_columns) + " WHERE id = $1").c_str(), {id});
    if (rows.empty()) {
        return std::nullopt;
    }
    return read_exercise(rows, 0, true);
}

std::vector<Exercise> PgStore::exercises_of(std::int64_t class_id)
{
    auto db = pool_.take();
    auto rows = db->query((std::string(exercise_columns) + " WHERE class_id = $1 ORDER BY id").c_str(), {class_id});
    std::vector<Exercise> exercises;
    for (int i = 0; i < rows.rows(); ++i) {
        exercises.push_back(read_exercise(rows, i, false));
    }
    return exercises;
}

std::int64_t PgStore::add_submission(const Submission& submission)
{
    auto db = pool_.take();
    return db
        ->query("INSERT INTO submissions(student_id, exercise_id, source, passed, reason, details, picture,"
                " difference, revision, submitted) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10) RETURNING id",
                {submission.student_id, submission.exercise_id, PgValue::bytes(submission.source), submission.passed,
                 submission.reason, submission.details, PgValue::bytes(submission.picture),
                 PgValue::bytes(submission.difference), submission.revision, submission.submitted})
        .integer(0, 0);
}

std::optional<Submission> PgStore::submission(std::int64_t id)
{
    auto db = pool_.take();
    auto rows = db->query((std::string(submission_columns) + " WHERE id = $1").c_str(), {id});
    if (rows.empty()) {
        return std::nullopt;
    }
    return read_submission(rows, 0, true);
}

std::vector<Submission> PgStore::submissions_of(std::int64_t student_id, std::int64_t exercise_id)
{
    auto db = pool_.take();
    auto rows = db->query(
        (std::string(submission_columns) + " WHERE student_id = $1 AND exercise_id = $2 ORDER BY id DESC").c_str(),
        {student_id, exercise_id});
    std::vector<Submission> submissions;
    for (int i = 0; i < rows.rows(); ++i) {
        submissions.push_back(read_submission(rows, i, false));
    }
    return submissions;
}

std::vector<ResultCell> PgStore::class_results(std::int64_t class_id)
{
    auto db = pool_.take();
    // The last submission of each student and exercise: the largest id of the pair.
    auto rows =
        db->query("SELECT s.student_id, s.exercise_id, s.id, s.passed, s.reason, s.revision, s.submitted, t.tries"
                  " FROM (SELECT student_id, exercise_id, max(id) AS last, count(*) AS tries FROM submissions"
                  "       WHERE exercise_id IN (SELECT id FROM exercises WHERE class_id = $1)"
                  "       GROUP BY student_id, exercise_id) AS t"
                  " JOIN submissions AS s ON s.id = t.last ORDER BY s.student_id, s.exercise_id",
                  {class_id});
    std::vector<ResultCell> cells;
    for (int i = 0; i < rows.rows(); ++i) {
        ResultCell cell;
        cell.student_id = rows.integer(i, 0);
        cell.exercise_id = rows.integer(i, 1);
        cell.submission_id = rows.integer(i, 2);
        cell.passed = rows.integer(i, 3) != 0;
        cell.reason = rows.text(i, 4);
        cell.revision = rows.integer(i, 5);
        cell.submitted = rows.integer(i, 6);
        cell.tries = rows.integer(i, 7);
        cells.push_back(std::move(cell));
    }
    return cells;
}

std::vector<Student> PgStore::students_in(std::int64_t class_id)
{
    auto db = pool_.take();
    auto rows = db->query("SELECT id, name FROM users WHERE class_id = $1 ORDER BY id", {class_id});
    std::vector<Student> students;
    for (int i = 0; i < rows.rows(); ++i) {
        students.push_back(Student{rows.integer(i, 0), rows.text(i, 1)});
    }
    return students;
}

}  // namespace tavro::studio
