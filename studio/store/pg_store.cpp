#include "pg_store.h"
#include "new_students.h"
#include "pg_schema.h"

namespace tavro::studio {

namespace {

// Held while the schema is upgraded, so that servers starting together upgrade it once.
constexpr std::int64_t upgrade_lock = 0x7461767200000001;

const char* role_name(Role role) { return role == Role::teacher ? "teacher" : "student"; }

std::optional<User> read_user(const PgResult& row)
{
    if (row.empty()) {
        return std::nullopt;
    }
    User user;
    user.id = row.integer(0, 0);
    user.name = row.text(0, 1);
    user.role = row.text(0, 2) == "teacher" ? Role::teacher : Role::student;
    user.password_hash = row.text(0, 3);
    if (!row.is_null(0, 4)) {
        user.class_id = row.integer(0, 4);
    }
    user.must_change_password = row.integer(0, 5) != 0;
    return user;
}

constexpr const char* user_columns = "SELECT id, name, role, password_hash, class_id, must_change_password FROM users";

std::optional<std::int64_t> insert_user(PgConnection& db, const User& user, Millis now)
{
    auto inserted =
        db.query("INSERT INTO users(name, role, password_hash, class_id, created, must_change_password)"
                 " VALUES ($1, $2, $3, $4, $5, $6) ON CONFLICT (name) DO NOTHING RETURNING id",
                 {user.name, role_name(user.role), user.password_hash,
                  user.class_id ? PgValue(*user.class_id) : PgValue::null(), now, user.must_change_password});
    if (inserted.empty()) {
        return std::nullopt;
    }
    return inserted.integer(0, 0);
}

std::optional<FileVersion> latest_of(PgConnection& db, std::int64_t user_id, const std::string& name)
{
    auto row = db.query("SELECT version, saved, source FROM file_versions WHERE user_id = $1 AND name = $2"
                        " ORDER BY version DESC LIMIT 1",
                        {user_id, name});
    if (row.empty()) {
        return std::nullopt;
    }
    return FileVersion{row.integer(0, 0), row.integer(0, 1), row.text(0, 2)};
}

}  // namespace

PgStore::PgStore(const std::string& url, std::size_t connections) : pool_(url, connections) { upgrade(); }

int PgStore::schema_version()
{
    auto db = pool_.take();
    auto row = db->query("SELECT version FROM schema_version");
    return row.empty() ? 0 : static_cast<int>(row.integer(0, 0));
}

void PgStore::upgrade()
{
    auto db = pool_.take();
    const auto& migrations = pg_migrations();
    const int known = static_cast<int>(migrations.size());
    for (;;) {
        PgTransaction transaction(*db);
        db->query("SELECT pg_advisory_xact_lock($1)", {upgrade_lock});
        db->execute("CREATE TABLE IF NOT EXISTS schema_version(version BIGINT NOT NULL)");
        auto row = db->query("SELECT version FROM schema_version");
        if (row.empty()) {
            db->execute("INSERT INTO schema_version VALUES (0)");
        }
        const int version = row.empty() ? 0 : static_cast<int>(row.integer(0, 0));
        if (version > known) {
            throw StoreError("the database has schema version " + std::to_string(version) +
                             ", this tavro-studio knows " + std::to_string(known) +
                             ": it was written by a newer tavro-studio");
        }
        if (version == known) {
            transaction.commit();
            return;
        }
        db->run_script(migrations[static_cast<std::size_t>(version)]);
        db->query("UPDATE schema_version SET version = $1", {std::int64_t{version + 1}});
        transaction.commit();
    }
}

std::optional<std::int64_t> PgStore::add_user(const User& user, Millis now)
{
    auto db = pool_.take();
    return insert_user(*db, user, now);
}

std::optional<User> PgStore::user_by_name(const std::string& name)
{
    // No name has a NUL, which the database's text cannot hold: a sign-in with one is wrong.
    if (name.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    auto db = pool_.take();
    return read_user(db->query((std::string(user_columns) + " WHERE name = $1").c_str(), {name}));
}

std::optional<User> PgStore::user_by_id(std::int64_t id)
{
    auto db = pool_.take();
    return read_user(db->query((std::string(user_columns) + " WHERE id = $1").c_str(), {id}));
}

bool PgStore::has_teacher()
{
    auto db = pool_.take();
    return !db->query("SELECT 1 FROM users WHERE role = 'teacher' LIMIT 1").empty();
}

void PgStore::set_password_hash(std::int64_t user_id, const std::string& hash, bool must_change)
{
    auto db = pool_.take();
    db->query("UPDATE users SET password_hash = $1, must_change_password = $2 WHERE id = $3",
              {hash, must_change, user_id});
}

std::int64_t PgStore::add_class(std::int64_t teacher_id, const std::string& name, Millis now)
{
    auto db = pool_.take();
    return db
        ->query("INSERT INTO classes(teacher_id, name, created) VALUES ($1, $2, $3) RETURNING id",
                {teacher_id, name, now})
        .integer(0, 0);
}

std::optional<Class> PgStore::class_by_id(std::int64_t id)
{
    auto db = pool_.take();
    auto row = db->query("SELECT teacher_id, name FROM classes WHERE id = $1", {id});
    if (row.empty()) {
        return std::nullopt;
    }
    return Class{id, row.integer(0, 0), row.text(0, 1)};
}

std::vector<Class> PgStore::classes_of(std::int64_t teacher_id)
{
    auto db = pool_.take();
    auto rows = db->query("SELECT id, name FROM classes WHERE teacher_id = $1 ORDER BY id", {teacher_id});
    std::vector<Class> classes;
    for (int i = 0; i < rows.rows(); ++i) {
        classes.push_back(Class{rows.integer(i, 0), teacher_id, rows.text(i, 1)});
    }
    return classes;
}

std::vector<std::string> PgStore::students_of(std::int64_t class_id)
{
    auto db = pool_.take();
    auto rows = db->query("SELECT name FROM users WHERE class_id = $1 ORDER BY id", {class_id});
    std::vector<std::string> names;
    for (int i = 0; i < rows.rows(); ++i) {
        names.push_back(rows.text(i, 0));
    }
    return names;
}

std::vector<NewStudent> PgStore::add_students(std::int64_t class_id, const std::vector<std::string>& names,
                                              const std::vector<std::string>& password_hashes, Millis now)
{
    auto db = pool_.take();
    PgTransaction transaction(*db);
    std::vector<NewStudent> added = add_with_free_names(
        class_id, names, password_hashes, [&](const User& student) { return bool(insert_user(*db, student, now)); });
    transaction.commit();
    return added;
}

void PgStore::add_session(const std::string& token_hash, std::int64_t user_id, Millis now)
{
    auto db = pool_.take();
    db->query("INSERT INTO sessions(token_hash, user_id, last_used) VALUES ($1, $2, $3)", {token_hash, user_id, now});
}

std::optional<Session> PgStore::session(const std::string& token_hash)
{
    auto db = pool_.take();
    auto row = db->query("SELECT user_id, last_used FROM sessions WHERE token_hash = $1", {token_hash});
    if (row.empty()) {
        return std::nullopt;
    }
    return Session{row.integer(0, 0), row.integer(0, 1)};
}

void PgStore::touch_session(const std::string& token_hash, Millis now)
{
    auto db = pool_.take();
    db->query("UPDATE sessions SET last_used = $1 WHERE token_hash = $2", {now, token_hash});
}

void PgStore::remove_session(const std::string& token_hash)
{
    auto db = pool_.take();
    db->query("DELETE FROM sessions WHERE token_hash = $1", {token_hash});
}

void PgStore::remove_sessions_before(Millis last_used)
{
    auto db = pool_.take();
    db->query("DELETE FROM sessions WHERE last_used < $1", {last_used});
}

FileVersion PgStore::save_file(std::int64_t user_id, const std::string& name, const std::string& source, Millis now)
{
    auto db = pool_.take();
    PgTransaction transaction(*db);
    // Saves of one user through two servers at once take their versions in turn.
    db->query("SELECT pg_advisory_xact_lock($1)", {user_id});
    auto latest = latest_of(*db, user_id, name);
    if (latest && latest->source == source) {
        return *latest;
    }
    FileVersion saved{latest ? latest->version + 1 : 1, now, source};
    db->query("INSERT INTO file_versions(user_id, name, version, source, saved) VALUES ($1, $2, $3, $4, $5)",
              {user_id, name, saved.version, PgValue::bytes(source), now});
    transaction.commit();
    return saved;
}

std::optional<FileVersion> PgStore::latest_version(std::int64_t user_id, const std::string& name)
{
    auto db = pool_.take();
    return latest_of(*db, user_id, name);
}

std::optional<FileVersion> PgStore::file_version(std::int64_t user_id, const std::string& name, std::int64_t version)
{
    auto db = pool_.take();
    auto row = db->query("SELECT saved, source FROM file_versions WHERE user_id = $1 AND name = $2 AND version = $3",
                         {user_id, name, version});
    if (row.empty()) {
        return std::nullopt;
    }
    return FileVersion{version, row.integer(0, 0), row.text(0, 1)};
}

std::vector<FileVersion> PgStore::file_history(std::int64_t user_id, const std::string& name)
{
    auto db = pool_.take();
    auto rows =
        db->query("SELECT version, saved FROM file_versions WHERE user_id = $1 AND name = $2 ORDER BY version DESC",
                  {user_id, name});
    std::vector<FileVersion> versions;
    for (int i = 0; i < rows.rows(); ++i) {
        versions.push_back(FileVersion{rows.integer(i, 0), rows.integer(i, 1), {}});
    }
    return versions;
}

std::vector<FileEntry> PgStore::files_of(std::int64_t user_id)
{
    auto db = pool_.take();
    auto rows = db->query("SELECT name, max(version), max(saved) FROM file_versions WHERE user_id = $1"
                          " GROUP BY name ORDER BY name",
                          {user_id});
    std::vector<FileEntry> files;
    for (int i = 0; i < rows.rows(); ++i) {
        files.push_back(FileEntry{rows.text(i, 0), rows.integer(i, 1), rows.integer(i, 2)});
    }
    return files;
}

void PgStore::put_page(const std::string& key, const std::string& id, const std::string& html, Millis now)
{
    auto db = pool_.take();
    // Two workers that built the same source keep the first page.
    db->query("INSERT INTO pages(key, id, html, created) VALUES ($1, $2, $3, $4) ON CONFLICT DO NOTHING",
              {key, id, PgValue::bytes(html), now});
}

std::optional<std::string> PgStore::page_id_for_key(const std::string& key)
{
    auto db = pool_.take();
    auto row = db->query("SELECT id FROM pages WHERE key = $1", {key});
    if (row.empty()) {
        return std::nullopt;
    }
    return row.text(0, 0);
}

std::optional<std::string> PgStore::page_by_id(const std::string& id)
{
    auto db = pool_.take();
    auto row = db->query("SELECT html FROM pages WHERE id = $1", {id});
    if (row.empty()) {
        return std::nullopt;
    }
    return row.text(0, 0);
}

}  // namespace tavro::studio
