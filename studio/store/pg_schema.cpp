#include "pg_schema.h"

namespace tavro::studio {

const std::vector<const char*>& pg_migrations()
{
    static const std::vector<const char*> migrations = {
        // 1: accounts and sessions
        "CREATE TABLE users(id BIGSERIAL PRIMARY KEY, name TEXT NOT NULL UNIQUE,"
        " role TEXT NOT NULL CHECK(role IN ('teacher', 'student')), password_hash TEXT NOT NULL,"
        " class_id BIGINT, created BIGINT NOT NULL);"
        "CREATE TABLE classes(id BIGSERIAL PRIMARY KEY, teacher_id BIGINT NOT NULL REFERENCES users(id),"
        " name TEXT NOT NULL, created BIGINT NOT NULL);"
        "ALTER TABLE users ADD FOREIGN KEY (class_id) REFERENCES classes(id);"
        "CREATE INDEX classes_by_teacher ON classes(teacher_id);"
        "CREATE INDEX students_by_class ON users(class_id);"
        "CREATE TABLE sessions(token_hash TEXT PRIMARY KEY,"
        " user_id BIGINT NOT NULL REFERENCES users(id) ON DELETE CASCADE, last_used BIGINT NOT NULL);",
        // 2: files, every saved version kept
        "CREATE TABLE file_versions(user_id BIGINT NOT NULL REFERENCES users(id) ON DELETE CASCADE,"
        " name TEXT NOT NULL, version BIGINT NOT NULL, source BYTEA NOT NULL, saved BIGINT NOT NULL,"
        " PRIMARY KEY(user_id, name, version));",
        // 3: built pages, by the builder's key
        "CREATE TABLE pages(key TEXT PRIMARY KEY, id TEXT NOT NULL UNIQUE, html BYTEA NOT NULL,"
        " created BIGINT NOT NULL);",
        // 4: a one-time password asks to be changed at the first sign-in
        "ALTER TABLE users ADD COLUMN must_change_password BIGINT NOT NULL DEFAULT 1;",
        // 5: exercises with their references, and every submission with its verdict
        "CREATE TABLE exercises(id BIGSERIAL PRIMARY KEY,"
        " class_id BIGINT NOT NULL REFERENCES classes(id) ON DELETE CASCADE, title TEXT NOT NULL,"
        " text TEXT NOT NULL, solution BYTEA NOT NULL, script BYTEA NOT NULL, answers BYTEA NOT NULL,"
        " time BIGINT NOT NULL, transcript BYTEA NOT NULL, picture BYTEA NOT NULL, revision BIGINT NOT NULL,"
        " withdrawn BIGINT NOT NULL DEFAULT 0, created BIGINT NOT NULL, changed BIGINT NOT NULL);"
        "CREATE INDEX exercises_by_class ON exercises(class_id);"
        "CREATE TABLE submissions(id BIGSERIAL PRIMARY KEY,"
        " student_id BIGINT NOT NULL REFERENCES users(id) ON DELETE CASCADE,"
        " exercise_id BIGINT NOT NULL REFERENCES exercises(id) ON DELETE CASCADE, source BYTEA NOT NULL,"
        " passed BIGINT NOT NULL, reason TEXT NOT NULL, details TEXT NOT NULL, picture BYTEA NOT NULL,"
        " difference BYTEA NOT NULL, revision BIGINT NOT NULL, submitted BIGINT NOT NULL);"
        "CREATE INDEX submissions_by_student ON submissions(student_id, exercise_id, id);"
        "CREATE INDEX submissions_by_exercise ON submissions(exercise_id);",
        // 6: the queue, claimed by any worker under a lease, one queued job per owner; and the
        // sign-in failures every server counts together
        "CREATE TABLE jobs(id TEXT PRIMARY KEY, turn BIGSERIAL, owner BIGINT NOT NULL, kind TEXT NOT NULL,"
        " source BYTEA NOT NULL, file_name TEXT NOT NULL, details TEXT NOT NULL,"
        " state TEXT NOT NULL CHECK(state IN ('queued', 'running', 'done')), attempts BIGINT NOT NULL DEFAULT 0,"
        " claimed_until BIGINT NOT NULL DEFAULT 0, claimed_by TEXT NOT NULL DEFAULT '',"
        " last_error TEXT NOT NULL DEFAULT '', answer TEXT, created BIGINT NOT NULL, ended BIGINT);"
        "CREATE UNIQUE INDEX one_queued_job_each ON jobs(owner) WHERE state = 'queued';"
        "CREATE INDEX unfinished_jobs ON jobs(turn) WHERE state <> 'done';"
        "CREATE INDEX ended_jobs ON jobs(ended) WHERE state = 'done';"
        "CREATE TABLE sign_in_failures(kind TEXT NOT NULL, key BYTEA NOT NULL, count BIGINT NOT NULL,"
        " first BIGINT NOT NULL, PRIMARY KEY(kind, key));",
    };
    return migrations;
}

}  // namespace tavro::studio
