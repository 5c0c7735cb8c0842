// The SQLite store's exercises and submissions.
#include "sqlite_store.h"

namespace tavro::studio {

namespace {

constexpr const char* exercise_columns = "SELECT id, class_id, title, text, solution, script, answers, time,"
                                         " revision, withdrawn, changed, transcript, picture FROM exercises";

Exercise read_exercise(const SqliteStatement& row, bool with_references)
{
    Exercise exercise;
    exercise.id = row.integer(0);
    exercise.class_id = row.integer(1);
    exercise.title = row.text(2);
    exercise.text = row.text(3);
    exercise.solution = row.text(4);
    exercise.script = row.text(5);
    exercise.answers = row.text(6);
    exercise.time = row.integer(7);
    exercise.revision = row.integer(8);
    exercise.withdrawn = row.integer(9) != 0;
    exercise.changed = row.integer(10);
    if (with_references) {
        exercise.transcript = row.text(11);
        exercise.picture = row.text(12);
    }
    return exercise;
}

constexpr const char* submission_columns = "SELECT id, student_id, exercise_id, source, passed, reason, details,"
                                           " revision, submitted, picture, difference FROM submissions";

Submission read_submission(const SqliteStatement& row, bool with_pictures)
{
    Submission submission;
    submission.id = row.integer(0);
    submission.student_id = row.integer(1);
    submission.exercise_id = row.integer(2);
    submission.source = row.text(3);
    submission.passed = row.integer(4) != 0;
    submission.reason = row.text(5);
    submission.details = row.text(6);
    submission.revision = row.integer(7);
    submission.submitted = row.integer(8);
    if (with_pictures) {
        submission.picture = row.text(9);
        submission.difference = row.text(10);
    }
    return submission;
}

}  // namespace

std::int64_t SqliteStore::add_exercise(const Exercise& exercise, Millis now)
{
    std::lock_guard lock(mutex_);
    SqliteStatement(db_,
                    "INSERT INTO exercises(class_id, title, text, solution, script, answers, time, transcript,"
                    " picture, revision, withdrawn, created, changed) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 1, 0, ?, ?)")
        .bind(1, exercise.class_id)
        .bind(2, exercise.title)
        .bind(3, exercise.text)
        .bind(4, exercise.solution)
        .bind(5, exercise.script)
        .bind(6, exercise.answers)
        .bind(7, exercise.time)
        .bind_blob(8, exercise.transcript)
        .bind_blob(9, exercise.picture)
        .bind(10, now)
        .bind(11, now)
        .run();
    return sqlite3_last_insert_rowid(db_.get());
}

std::optional<Exercise> SqliteStore::exercise_locked(std::int64_t id)
{
    SqliteStatement statement(db_, (std::string(exercise_columns) + " WHERE id = ?").c_str());
    if (!statement.bind(1, id).step()) {
        return std::nullopt;
    }
    return read_exercise(statement, true);
}

std::optional<Exercise> SqliteStore::update_exercise(const Exercise& exercise, Millis now)
{
    std::lock_guard lock(mutex_);
    SqliteTransaction transaction(db_);
    auto before = exercise_locked(exercise.id);
    if (!before) {
        return std::nullopt;
    }
    Exercise after = exercise;
    after.class_id = before->class_id;
    after.withdrawn = before->withdrawn;
    after.revision = before->revision + (same_references_inputs(*before, exercise) ? 0 : 1);
    after.changed = now;
    SqliteStatement(db_, "UPDATE exercises SET title = ?, text = ?, solution = ?, script = ?, answers = ?, time = ?,"
                         " transcript = ?, picture = ?, revision = ?, changed = ? WHERE id = ?")
        .bind(1, after.title)
        .bind(2, after.text)
        .bind(3, after.solution)
        .bind(4, after.script)
        .bind(5, after.answers)
        .bind(6, after.time)
        .bind_blob(7, after.transcript)
        .bind_blob(8, after.picture)
        .bind(9, after.revision)
        .bind(10, now)
        .bind(11, after.id)
        .run();
    transaction.commit();
    return after;
}

bool SqliteStore::set_withdrawn(std::int64_t exercise_id, bool withdrawn, Millis now)
{
    std::lock_guard lock(mutex_);
    SqliteStatement(db_, "UPDATE exercises SET withdrawn = ?, changed = ? WHERE id = ?")
        .bind(1, std::int64_t{withdrawn})
        .bind(2, now)
        .bind(3, exercise_id)
        .run();
    return sqlite3_changes(db_.get()) > 0;
}

std::optional<Exercise> SqliteStore::exercise(std::int64_t id)
{
    std::lock_guard lock(mutex_);
    return exercise_locked(id);
}

std::vector<Exercise> SqliteStore::exercises_of(std::int64_t class_id)
{
    std::lock_guard lock(mutex_);
    SqliteStatement statement(db_, (std::string(exercise_columns) + " WHERE class_id = ? ORDER BY id").c_str());
    statement.bind(1, class_id);
    std::vector<Exercise> exercises;
    while (statement.step()) {
        exercises.push_back(read_exercise(statement, false));
    }
    return exercises;
}

std::int64_t SqliteStore::add_submission(const Submission& submission)
{
    std::lock_guard lock(mutex_);
    SqliteStatement(db_, "INSERT INTO submissions(student_id, exercise_id, source, passed, reason, details, picture,"
                         " difference, revision, submitted) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
        .bind(1, submission.student_id)
        .bind(2, submission.exercise_id)
        .bind(3, submission.source)
        .bind(4, std::int64_t{submission.passed})
        .bind(5, submission.reason)
        .bind(6, submission.details)
        .bind_blob(7, submission.picture)
        .bind_blob(8, submission.difference)
        .bind(9, submission.revision)
        .bind(10, submission.submitted)
        .run();
    return sqlite3_last_insert_rowid(db_.get());
}

std::optional<Submission> SqliteStore::submission(std::int64_t id)
{
    std::lock_guard lock(mutex_);
    SqliteStatement statement(db_, (std::string(submission_columns) + " WHERE id = ?").c_str());
    if (!statement.bind(1, id).step()) {
        return std::nullopt;
    }
    return read_submission(statement, true);
}

std::vector<Submission> SqliteStore::submissions_of(std::int64_t student_id, std::int64_t exercise_id)
{
    std::lock_guard lock(mutex_);
    SqliteStatement statement(
        db_, (std::string(submission_columns) + " WHERE student_id = ? AND exercise_id = ? ORDER BY id DESC").c_str());
    statement.bind(1, student_id).bind(2, exercise_id);
    std::vector<Submission> submissions;
    while (statement.step()) {
        submissions.push_back(read_submission(statement, false));
    }
    return submissions;
}

std::vector<ResultCell> SqliteStore::class_results(std::int64_t class_id)
{
    std::lock_guard lock(mutex_);
    // The last submission of each student and exercise: the largest id of the pair.
    SqliteStatement statement(
        db_, "SELECT s.student_id, s.exercise_id, s.id, s.passed, s.reason, s.revision, s.submitted, t.tries"
             " FROM (SELECT student_id, exercise_id, max(id) AS last, count(*) AS tries FROM submissions"
             "       WHERE exercise_id IN (SELECT id FROM exercises WHERE class_id = ?)"
             "       GROUP BY student_id, exercise_id) AS t"
             " JOIN submissions AS s ON s.id = t.last ORDER BY s.student_id, s.exercise_id");
    statement.bind(1, class_id);
    std::vector<ResultCell> cells;
    while (statement.step()) {
        ResultCell cell;
        cell.student_id = statement.integer(0);
        cell.exercise_id = statement.integer(1);
        cell.submission_id = statement.integer(2);
        cell.passed = statement.integer(3) != 0;
        cell.reason = statement.text(4);
        cell.revision = statement.integer(5);
        cell.submitted = statement.integer(6);
        cell.tries = statement.integer(7);
        cells.push_back(std::move(cell));
    }
    return cells;
}

std::vector<Student> SqliteStore::students_in(std::int64_t class_id)
{
    std::lock_guard lock(mutex_);
    SqliteStatement statement(db_, "SELECT id, name FROM users WHERE class_id = ? ORDER BY id");
    statement.bind(1, class_id);
    std::vector<Student> students;
    while (statement.step()) {
        students.push_back(Student{statement.integer(0), statement.text(1)});
    }
    return students;
}

}  // namespace tavro::studio
