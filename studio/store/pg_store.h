// The studio's store in a shared PostgreSQL, for several servers and workers at once: each
// call takes a connection from a small pool, so the server's threads query side by side.
#pragma once

#include "pg_handle.h"
#include "store.h"

namespace tavro::studio {

class PgStore : public Store {
public:
    // Connects and upgrades the schema (one process at a time); a newer schema is refused.
    PgStore(const std::string& url, std::size_t connections = 8);

    std::optional<std::int64_t> add_user(const User& user, Millis now) override;
    std::optional<User> user_by_name(const std::string& name) override;
    std::optional<User> user_by_id(std::int64_t id) override;
    bool has_teacher() override;
    void set_password_hash(std::int64_t user_id, const std::string& hash, bool must_change) override;

    std::int64_t add_class(std::int64_t teacher_id, const std::string& name, Millis now) override;
    std::optional<Class> class_by_id(std::int64_t id) override;
    std::vector<Class> classes_of(std::int64_t teacher_id) override;
    std::vector<std::string> students_of(std::int64_t class_id) override;
    std::vector<NewStudent> add_students(std::int64_t class_id, const std::vector<std::string>& names,
                                         const std::vector<std::string>& password_hashes, Millis now) override;

    void add_session(const std::string& token_hash, std::int64_t user_id, Millis now) override;
    std::optional<Session> session(const std::string& token_hash) override;
    void touch_session(const std::string& token_hash, Millis now) override;
    void remove_session(const std::string& token_hash) override;
    void remove_sessions_before(Millis last_used) override;

    FileVersion save_file(std::int64_t user_id, const std::string& name, const std::string& source,
                          Millis now) override;
    std::optional<FileVersion> latest_version(std::int64_t user_id, const std::string& name) override;
    std::optional<FileVersion> file_version(std::int64_t user_id, const std::string& name,
                                            std::int64_t version) override;
    std::vector<FileVersion> file_history(std::int64_t user_id, const std::string& name) override;
    std::vector<FileEntry> files_of(std::int64_t user_id) override;

    void put_page(const std::string& key, const std::string& id, const std::string& html, Millis now) override;
    std::optional<std::string> page_id_for_key(const std::string& key) override;
    std::optional<std::string> page_by_id(const std::string& id) override;

    std::int64_t add_exercise(const Exercise& exercise, Millis now) override;
    std::optional<Exercise> update_exercise(const Exercise& exercise, Millis now) override;
    bool set_withdrawn(std::int64_t exercise_id, bool withdrawn, Millis now) override;
    std::optional<Exercise> exercise(std::int64_t id) override;
    std::vector<Exercise> exercises_of(std::int64_t class_id) override;

    std::int64_t add_submission(const Submission& submission) override;
    std::optional<Submission> submission(std::int64_t id) override;
    std::vector<Submission> submissions_of(std::int64_t student_id, std::int64_t exercise_id) override;
    std::vector<ResultCell> class_results(std::int64_t class_id) override;
    std::vector<Student> students_in(std::int64_t class_id) override;

    int schema_version();
    // The queue and the sign-in limits share the store's connections.
    PgPool& pool() { return pool_; }

private:
    void upgrade();

    PgPool pool_;
};

}  // namespace tavro::studio
