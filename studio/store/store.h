// Everything the studio keeps: accounts, sessions, files and their history, built pages. One
// interface so that a shared database can stand in for the single-file one; every method that
// writes returns only after its transaction has committed.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavro::studio {

// Milliseconds since 1970, UTC: every time the store keeps.
using Millis = std::int64_t;

enum class Role { teacher, student };

struct User {
    std::int64_t id = 0;
    std::string name;
    Role role = Role::student;
    std::string password_hash;
    bool must_change_password = true;
    std::optional<std::int64_t> class_id;  // students only
};

struct Class {
    std::int64_t id = 0;
    std::int64_t teacher_id = 0;
    std::string name;
};

struct Session {
    std::int64_t user_id = 0;
    Millis last_used = 0;
};

struct FileVersion {
    std::int64_t version = 0;
    Millis saved = 0;
    std::string source;  // empty in lists of versions
};

struct FileEntry {
    std::string name;
    std::int64_t version = 0;
    Millis saved = 0;
};

// A login name asked for and the one given, when the first was taken.
struct NewStudent {
    std::string asked;
    std::string given;
};

// An exercise of a class: what the teacher gave and the references made from the solution.
// The revision changes whenever the references could change (solution, script, answers, time).
struct Exercise {
    std::int64_t id = 0;
    std::int64_t class_id = 0;
    std::string title;
    std::string text;
    std::string solution;
    std::string script;
    std::string answers;
    std::int64_t time = 0;
    std::string transcript;  // the references: empty in lists of exercises
    std::string picture;
    std::int64_t revision = 1;
    bool withdrawn = false;
    Millis changed = 0;
};

// The references are made from these alone: an edit that keeps them keeps the revision.
inline bool same_references_inputs(const Exercise& a, const Exercise& b)
{
    return a.solution == b.solution && a.script == b.script && a.answers == b.answers && a.time == b.time;
}

// A student's submission and its verdict. details is the verdict's lines and messages as the
// server writes them (JSON); the pictures are PNG, empty when there are none.
struct Submission {
    std::int64_t id = 0;
    std::int64_t student_id = 0;
    std::int64_t exercise_id = 0;
    std::string source;
    bool passed = false;
    std::string reason;
    std::string details;
    std::string picture;
    std::string difference;
    std::int64_t revision = 0;  // of the exercise's references it was checked against
    Millis submitted = 0;
};

// A student's last submission of an exercise and how many they made.
struct ResultCell {
    std::int64_t student_id = 0;
    std::int64_t exercise_id = 0;
    std::int64_t submission_id = 0;
    bool passed = false;
    std::string reason;
    std::int64_t revision = 0;
    Millis submitted = 0;
    std::int64_t tries = 0;
};

struct Student {
    std::int64_t id = 0;
    std::string name;
};

// The store could not do what was asked (a broken or newer database, a full disk): one line.
class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Store {
public:
    virtual ~Store() = default;

    // Accounts. add_user fails (nullopt) when the name is taken.
    virtual std::optional<std::int64_t> add_user(const User& user, Millis now) = 0;
    virtual std::optional<User> user_by_name(const std::string& name) = 0;
    virtual std::optional<User> user_by_id(std::int64_t id) = 0;
    virtual bool has_teacher() = 0;
    virtual void set_password_hash(std::int64_t user_id, const std::string& hash, bool must_change) = 0;

    virtual std::int64_t add_class(std::int64_t teacher_id, const std::string& name, Millis now) = 0;
    virtual std::optional<Class> class_by_id(std::int64_t id) = 0;
    virtual std::vector<Class> classes_of(std::int64_t teacher_id) = 0;
    virtual std::vector<std::string> students_of(std::int64_t class_id) = 0;
    // In one transaction: each student gets the name asked or, when taken, the first free of
    // NAME2, NAME3, ...; password_hashes[i] is the i-th student's.
    virtual std::vector<NewStudent> add_students(std::int64_t class_id, const std::vector<std::string>& names,
                                                 const std::vector<std::string>& password_hashes, Millis now) = 0;

    // Sessions, by the hash of their token (the token itself is never stored).
    virtual void add_session(const std::string& token_hash, std::int64_t user_id, Millis now) = 0;
    virtual std::optional<Session> session(const std::string& token_hash) = 0;
    virtual void touch_session(const std::string& token_hash, Millis now) = 0;
    virtual void remove_session(const std::string& token_hash) = 0;
    virtual void remove_sessions_before(Millis last_used) = 0;

    // Files: every save is a new version; the same source as the latest saves nothing new.
    virtual FileVersion save_file(std::int64_t user_id, const std::string& name, const std::string& source,
                                  Millis now) = 0;
    virtual std::optional<FileVersion> latest_version(std::int64_t user_id, const std::string& name) = 0;
    virtual std::optional<FileVersion> file_version(std::int64_t user_id, const std::string& name,
                                                    std::int64_t version) = 0;
    // Newest first, without their sources.
    virtual std::vector<FileVersion> file_history(std::int64_t user_id, const std::string& name) = 0;
    virtual std::vector<FileEntry> files_of(std::int64_t user_id) = 0;

    // Built pages, by the builder's key; id is what /run/ID names.
    virtual void put_page(const std::string& key, const std::string& id, const std::string& html, Millis now) = 0;
    virtual std::optional<std::string> page_id_for_key(const std::string& key) = 0;
    virtual std::optional<std::string> page_by_id(const std::string& id) = 0;

    // Exercises. update_exercise keeps the class and withdrawn flag, and gives the exercise the
    // next revision when the solution, script, answers or time changed; false when none has the id.
    virtual std::int64_t add_exercise(const Exercise& exercise, Millis now) = 0;
    virtual std::optional<Exercise> update_exercise(const Exercise& exercise, Millis now) = 0;
    virtual bool set_withdrawn(std::int64_t exercise_id, bool withdrawn, Millis now) = 0;
    virtual std::optional<Exercise> exercise(std::int64_t id) = 0;
    // Without their references, in the order they were made.
    virtual std::vector<Exercise> exercises_of(std::int64_t class_id) = 0;

    // Submissions, every one kept.
    virtual std::int64_t add_submission(const Submission& submission) = 0;
    virtual std::optional<Submission> submission(std::int64_t id) = 0;
    // Newest first, without their pictures.
    virtual std::vector<Submission> submissions_of(std::int64_t student_id, std::int64_t exercise_id) = 0;
    virtual std::vector<ResultCell> class_results(std::int64_t class_id) = 0;
    virtual std::vector<Student> students_in(std::int64_t class_id) = 0;
};

}  // namespace tavro::studio
