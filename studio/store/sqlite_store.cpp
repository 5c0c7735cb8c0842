#include "sqlite_store.h"
#include "new_students.h"
#include "sqlite_schema.h"

#include <string>

namespace tavro::studio {

namespace {

const char* role_name(Role role) { return role == Role::teacher ? "teacher" : "student"; }

std::optional<User> read_user(SqliteStatement& statement)
{
    if (!statement.step()) {
        return std::nullopt;
    }
    User user;
    user.id = statement.integer(0);
    user.name = statement.text(1);
    user.role = statement.text(2) == "teacher" ? Role::teacher : Role::student;
    user.password_hash = statement.text(3);
    if (!statement.is_null(4)) {
        user.class_id = statement.integer(4);
    }
    user.must_change_password = statement.integer(5) != 0;
    return user;
}

constexpr const char* user_columns = "SELECT id, name, role, password_hash, class_id, must_change_password FROM users";

}  // namespace

SqliteStore::SqliteStore(const std::filesystem::path& file) : db_(file)
{
    std::lock_guard lock(mutex_);
    db_.execute("PRAGMA journal_mode=WAL");
    db_.execute("PRAGMA synchronous=FULL");
    db_.execute("PRAGMA foreign_keys=ON");
    upgrade();
}

int SqliteStore::schema_version()
{
    SqliteStatement statement(db_, "SELECT version FROM schema_version");
    return statement.step() ? static_cast<int>(statement.integer(0)) : 0;
}

void SqliteStore::upgrade()
{
    {
        SqliteTransaction transaction(db_);
        db_.execute("CREATE TABLE IF NOT EXISTS schema_version(version INTEGER NOT NULL)");
        SqliteStatement count(db_, "SELECT count(*) FROM schema_version");
        count.step();
        if (count.integer(0) == 0) {
            SqliteStatement(db_, "INSERT INTO schema_version VALUES (0)").run();
        }
        transaction.commit();
    }
    const auto& migrations = sqlite_migrations();
    int known = static_cast<int>(migrations.size());
    int version = schema_version();
    if (version > known) {
        throw StoreError("the database has schema version " + std::to_string(version) + ", this tavro-studio knows " +
                         std::to_string(known) + ": it was written by a newer tavro-studio");
    }
    for (; version < known; ++version) {
        SqliteTransaction transaction(db_);
        // Another process may have upgraded it while this one waited for the lock.
        if (schema_version() > version) {
            continue;
        }
        db_.execute(migrations[static_cast<std::size_t>(version)]);
        SqliteStatement(db_, "UPDATE schema_version SET version = ?").bind(1, std::int64_t{version + 1}).run();
        transaction.commit();
    }
}

bool SqliteStore::insert_user(const User& user, Millis now)
{
    SqliteStatement taken(db_, "SELECT 1 FROM users WHERE name = ?");
    if (taken.bind(1, user.name).step()) {
        return false;
    }
    SqliteStatement insert(db_, "INSERT INTO users(name, role, password_hash, class_id, created, must_change_password)"
                                " VALUES (?, ?, ?, ?, ?, ?)");
    insert.bind(1, user.name).bind(2, std::string(role_name(user.role))).bind(3, user.password_hash);
    if (user.class_id) {
        insert.bind(4, *user.class_id);
    } else {
        insert.bind_null(4);
    }
    insert.bind(5, now).bind(6, std::int64_t{user.must_change_password}).run();
    return true;
}

std::optional<std::int64_t> SqliteStore::add_user(const User& user, Millis now)
{
    std::lock_guard lock(mutex_);
    SqliteTransaction transaction(db_);
    if (!insert_user(user, now)) {
        return std::nullopt;
    }
    auto id = sqlite3_last_insert_rowid(db_.get());
    transaction.commit();
    return id;
}

std::optional<User> SqliteStore::user_by_name(const std::string& name)
{
    std::lock_guard lock(mutex_);
    SqliteStatement statement(db_, (std::string(user_columns) + " WHERE name = ?").c_str());
    statement.bind(1, name);
    return read_user(statement);
}

std::optional<User> SqliteStore::user_by_id(std::int64_t id)
{
    std::lock_guard lock(mutex_);
    SqliteStatement statement(db_, (std::string(user_columns) + " WHERE id = ?").c_str());
    statement.bind(1, id);
    return read_user(statement);
}

bool SqliteStore::has_teacher()
{
    std::lock_guard lock(mutex_);
    return SqliteStatement(db_, "SELECT 1 FROM users WHERE role = 'teacher' LIMIT 1").step();
}

void SqliteStore::set_password_hash(std::int64_t user_id, const std::string& hash, bool must_change)
{
    std::lock_guard lock(mutex_);
    SqliteStatement(db_, "UPDATE users SET password_hash = ?, must_change_password = ? WHERE id = ?")
        .bind(1, hash)
        .bind(2, std::int64_t{must_change})
        .bind(3, user_id)
        .run();
}

std::int64_t SqliteStore::add_class(std::int64_t teacher_id, const std::string& name, Millis now)
{
    std::lock_guard lock(mutex_);
    SqliteStatement(db_, "INSERT INTO classes(teacher_id, name, created) VALUES (?, ?, ?)")
        .bind(1, teacher_id)
        .bind(2, name)
        .bind(3, now)
        .run();
    return sqlite3_last_insert_rowid(db_.get());
}

std::optional<Class> SqliteStore::class_by_id(std::int64_t id)
{
    std::lock_guard lock(mutex_);
    SqliteStatement statement(db_, "SELECT teacher_id, name FROM classes WHERE id = ?");
    if (!statement.bind(1, id).step()) {
        return std::nullopt;
    }
    return Class{id, statement.integer(0), statement.text(1)};
}

std::vector<Class> SqliteStore::classes_of(std::int64_t teacher_id)
{
    std::lock_guard lock(mutex_);
    SqliteStatement statement(db_, "SELECT id, name FROM classes WHERE teacher_id = ? ORDER BY id");
    statement.bind(1, teacher_id);
    std::vector<Class> classes;
    while (statement.step()) {
        classes.push_back(Class{statement.integer(0), teacher_id, statement.text(1)});
    }
    return classes;
}

std::vector<std::string> SqliteStore::students_of(std::int64_t class_id)
{
    std::lock_guard lock(mutex_);
    SqliteStatement statement(db_, "SELECT name FROM users WHERE class_id = ? ORDER BY id");
    statement.bind(1, class_id);
    std::vector<std::string> names;
    while (statement.step()) {
        names.push_back(statement.text(0));
    }
    return names;
}

std::vector<NewStudent> SqliteStore::add_students(std::int64_t class_id, const std::vector<std::string>& names,
                                                  const std::vector<std::string>& password_hashes, Millis now)
{
    std::lock_guard lock(mutex_);
    SqliteTransaction transaction(db_);
    std::vector<NewStudent> added = add_with_free_names(class_id, names, password_hashes,
                                                        [&](const User& student) { return insert_user(student, now); });
    transaction.commit();
    return added;
}

void SqliteStore::add_session(const std::string& token_hash, std::int64_t user_id, Millis now)
{
    std::lock_guard lock(mutex_);
    SqliteStatement(db_, "INSERT INTO sessions(token_hash, user_id, last_used) VALUES (?, ?, ?)")
        .bind(1, token_hash)
        .bind(2, user_id)
        .bind(3, now)
        .run();
}

std::optional<Session> SqliteStore::session(const std::string& token_hash)
{
    std::lock_guard lock(mutex_);
    SqliteStatement statement(db_, "SELECT user_id, last_used FROM sessions WHERE token_hash = ?");
    if (!statement.bind(1, token_hash).step()) {
        return std::nullopt;
    }
    return Session{statement.integer(0), statement.integer(1)};
}

void SqliteStore::touch_session(const std::string& token_hash, Millis now)
{
    std::lock_guard lock(mutex_);
    SqliteStatement(db_, "UPDATE sessions SET last_used = ? WHERE token_hash = ?")
        .bind(1, now)
        .bind(2, token_hash)
        .run();
}

void SqliteStore::remove_session(const std::string& token_hash)
{
    std::lock_guard lock(mutex_);
    SqliteStatement(db_, "DELETE FROM sessions WHERE token_hash = ?").bind(1, token_hash).run();
}

void SqliteStore::remove_sessions_before(Millis last_used)
{
    std::lock_guard lock(mutex_);
    SqliteStatement(db_, "DELETE FROM sessions WHERE last_used < ?").bind(1, last_used).run();
}

std::optional<FileVersion> SqliteStore::latest_locked(std::int64_t user_id, const std::string& name)
{
    SqliteStatement statement(db_, "SELECT version, saved, source FROM file_versions WHERE user_id = ? AND name = ?"
                                   " ORDER BY version DESC LIMIT 1");
    if (!statement.bind(1, user_id).bind(2, name).step()) {
        return std::nullopt;
    }
    return FileVersion{statement.integer(0), statement.integer(1), statement.text(2)};
}

FileVersion SqliteStore::save_file(std::int64_t user_id, const std::string& name, const std::string& source, Millis now)
{
    std::lock_guard lock(mutex_);
    SqliteTransaction transaction(db_);
    auto latest = latest_locked(user_id, name);
    if (latest && latest->source == source) {
        return *latest;
    }
    FileVersion saved{latest ? latest->version + 1 : 1, now, source};
    SqliteStatement(db_, "INSERT INTO file_versions(user_id, name, version, source, saved) VALUES (?, ?, ?, ?, ?)")
        .bind(1, user_id)
        .bind(2, name)
        .bind(3, saved.version)
        .bind(4, source)
        .bind(5, now)
        .run();
    transaction.commit();
    return saved;
}

std::optional<FileVersion> SqliteStore::latest_version(std::int64_t user_id, const std::string& name)
{
    std::lock_guard lock(mutex_);
    return latest_locked(user_id, name);
}

std::optional<FileVersion> SqliteStore::file_version(std::int64_t user_id, const std::string& name,
                                                     std::int64_t version)
{
    std::lock_guard lock(mutex_);
    SqliteStatement statement(db_,
                              "SELECT saved, source FROM file_versions WHERE user_id = ? AND name = ? AND version = ?");
    if (!statement.bind(1, user_id).bind(2, name).bind(3, version).step()) {
        return std::nullopt;
    }
    return FileVersion{version, statement.integer(0), statement.text(1)};
}

std::vector<FileVersion> SqliteStore::file_history(std::int64_t user_id, const std::string& name)
{
    std::lock_guard lock(mutex_);
    SqliteStatement statement(
        db_, "SELECT version, saved FROM file_versions WHERE user_id = ? AND name = ? ORDER BY version DESC");
    statement.bind(1, user_id).bind(2, name);
    std::vector<FileVersion> versions;
    while (statement.step()) {
        versions.push_back(FileVersion{statement.integer(0), statement.integer(1), {}});
    }
    return versions;
}

std::vector<FileEntry> SqliteStore::files_of(std::int64_t user_id)
{
    std::lock_guard lock(mutex_);
    SqliteStatement statement(db_, "SELECT name, max(version), max(saved) FROM file_versions WHERE user_id = ?"
                                   " GROUP BY name ORDER BY name");
    statement.bind(1, user_id);
    std::vector<FileEntry> files;
    while (statement.step()) {
        files.push_back(FileEntry{statement.text(0), statement.integer(1), statement.integer(2)});
    }
    return files;
}

void SqliteStore::put_page(const std::string& key, const std::string& id, const std::string& html, Millis now)
{
    std::lock_guard lock(mutex_);
    SqliteStatement(db_, "INSERT OR IGNORE INTO pages(key, id, html, created) VALUES (?, ?, ?, ?)")
        .bind(1, key)
        .bind(2, id)
        .bind_blob(3, html)
        .bind(4, now)
        .run();
}

std::optional<std::string> SqliteStore::page_id_for_key(const std::string& key)
{
    std::lock_guard lock(mutex_);
    SqliteStatement statement(db_, "SELECT id FROM pages WHERE key = ?");
    if (!statement.bind(1, key).step()) {
        return std::nullopt;
    }
    return statement.text(0);
}

std::optional<std::string> SqliteStore::page_by_id(const std::string& id)
{
    std::lock_guard lock(mutex_);
    SqliteStatement statement(db_, "SELECT html FROM pages WHERE id = ?");
    if (!statement.bind(1, id).step()) {
        return std::nullopt;
    }
    return statement.text(0);
}

}  // namespace tavro::studio
