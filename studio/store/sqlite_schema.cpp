#include "sqlite_schema.h"

namespace tavro::studio {

const std::vector<const char*>& sqlite_migrations()
{
    static const std::vector<const char*> migrations = {
        // 1: accounts and sessions
        "CREATE TABLE users(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE,"
        " role TEXT NOT NULL CHECK(role IN ('teacher', 'student')), password_hash TEXT NOT NULL,"
        " class_id INTEGER REFERENCES classes(id), created INTEGER NOT NULL);"
        "CREATE TABLE classes(id INTEGER PRIMARY KEY, teacher_id INTEGER NOT NULL REFERENCES users(id),"
        " name TEXT NOT NULL, created INTEGER NOT NULL);"
        "CREATE INDEX classes_by_teacher ON classes(teacher_id);"
        "CREATE INDEX students_by_class ON users(class_id);"
        "CREATE TABLE sessions(token_hash TEXT PRIMARY KEY,"
        " user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE, last_used INTEGER NOT NULL);",
        // 2: files, every saved version kept
        "CREATE TABLE file_versions(user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,"
        " name TEXT NOT NULL, version INTEGER NOT NULL, source TEXT NOT NULL, saved INTEGER NOT NULL,"
        " PRIMARY KEY(user_id, name, version)) WITHOUT ROWID;",
        // 3: built pages, by the builder's key
        "CREATE TABLE pages(key TEXT PRIMARY KEY, id TEXT NOT NULL UNIQUE, html BLOB NOT NULL,"
        " created INTEGER NOT NULL);",
        // 4: a one-time password asks to be changed at the first sign-in
        "ALTER TABLE users ADD COLUMN must_change_password INTEGER NOT NULL DEFAULT 1;",
        // 5: exercises with their references, and every submission with its verdict
        "CREATE TABLE exercises(id INTEGER PRIMARY KEY,"
        " class_id INTEGER NOT NULL REFERENCES classes(id) ON DELETE CASCADE, title TEXT NOT NULL,"
        " text TEXT NOT NULL, solution TEXT NOT NULL, script TEXT NOT NULL, answers TEXT NOT NULL,"
        " time INTEGER NOT NULL, transcript BLOB NOT NULL, picture BLOB NOT NULL, revision INTEGER NOT NULL,"
        " withdrawn INTEGER NOT NULL DEFAULT 0, created INTEGER NOT NULL, changed INTEGER NOT NULL);"
        "CREATE INDEX exercises_by_class ON exercises(class_id);"
        "CREATE TABLE submissions(id INTEGER PRIMARY KEY,"
        " student_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,"
        " exercise_id INTEGER NOT NULL REFERENCES exercises(id) ON DELETE CASCADE, source TEXT NOT NULL,"
        " passed INTEGER NOT NULL, reason TEXT NOT NULL, details TEXT NOT NULL, picture BLOB NOT NULL,"
        " difference BLOB NOT NULL, revision INTEGER NOT NULL, submitted INTEGER NOT NULL);"
        "CREATE INDEX submissions_by_student ON submissions(student_id, exercise_id, id);"
        "CREATE INDEX submissions_by_exercise ON submissions(exercise_id);",
        // 6: nothing here: one machine keeps its queue and sign-in failures in memory; the step is
        // the shared database's queue, so that a version names the same tables in both
        "",
    };
    return migrations;
}

}  // namespace tavro::studio
