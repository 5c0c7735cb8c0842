#include "sqlite_handle.h"

namespace tavro::studio {

SqliteDatabase::SqliteDatabase(const std::filesystem::path& file, int flags)
{
    if (sqlite3_open_v2(file.c_str(), &db_, flags | SQLITE_OPEN_FULLMUTEX, nullptr) != SQLITE_OK) {
        std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        throw StoreError("cannot open " + file.string() + ": " + message);
    }
    // Another process (backup, add-teacher) may hold the database for a moment.
    sqlite3_busy_timeout(db_, 10000);
    sqlite3_extended_result_codes(db_, 1);
}

SqliteDatabase::~SqliteDatabase() { sqlite3_close(db_); }

void SqliteDatabase::execute(const char* sql)
{
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail("the database");
    }
}

void SqliteDatabase::fail(const char* what) const { throw StoreError(std::string(what) + ": " + sqlite3_errmsg(db_)); }

SqliteStatement::SqliteStatement(const SqliteDatabase& db, const char* sql) : db_(db)
{
    if (sqlite3_prepare_v2(db.get(), sql, -1, &statement_, nullptr) != SQLITE_OK) {
        db.fail("the database");
    }
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value)
{
    sqlite3_bind_int64(statement_, index, value);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, const std::string& value)
{
    sqlite3_bind_text(statement_, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
    return *this;
}

SqliteStatement& SqliteStatement::bind_blob(int index, const std::string& value)
{
    sqlite3_bind_blob(statement_, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
    return *this;
}

SqliteStatement& SqliteStatement::bind_null(int index)
{
    sqlite3_bind_null(statement_, index);
    return *this;
}

bool SqliteStatement::step()
{
    int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW) {
        return true;
    }
    if (result == SQLITE_DONE) {
        return false;
    }
    db_.fail("the database");
}

std::int64_t SqliteStatement::integer(int column) const { return sqlite3_column_int64(statement_, column); }

std::string SqliteStatement::text(int column) const
{
    auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
    return bytes ? std::string(bytes, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
                 : std::string();
}

bool SqliteStatement::is_null(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }

SqliteTransaction::SqliteTransaction(SqliteDatabase& db) : db_(db) { db_.execute("BEGIN IMMEDIATE"); }

SqliteTransaction::~SqliteTransaction()
{
    if (!done_) {
        sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void SqliteTransaction::commit()
{
    db_.execute("COMMIT");
    done_ = true;
}

}  // namespace tavro::studio
