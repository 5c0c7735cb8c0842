// RAII over SQLite's connection and statements, failing with StoreError and SQLite's own words.
#pragma once

#include "store.h"

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace tavro::studio {

class SqliteDatabase {
public:
    explicit SqliteDatabase(const std::filesystem::path& file, int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    sqlite3* get() const { return db_; }
    void execute(const char* sql);
    [[noreturn]] void fail(const char* what) const;

private:
    sqlite3* db_ = nullptr;
};

class SqliteStatement {
public:
    SqliteStatement(const SqliteDatabase& db, const char* sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& bind(int index, std::int64_t value);
    SqliteStatement& bind(int index, const std::string& value);
    SqliteStatement& bind_blob(int index, const std::string& value);
    SqliteStatement& bind_null(int index);
    // True while there is a row to read.
    bool step();
    void run() { step(); }

    std::int64_t integer(int column) const;
    std::string text(int column) const;
    bool is_null(int column) const;

private:
    const SqliteDatabase& db_;
    sqlite3_stmt* statement_ = nullptr;
};

// BEGIN IMMEDIATE ... COMMIT, rolled back when left by an exception.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteDatabase& db);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;
    void commit();

private:
    SqliteDatabase& db_;
    bool done_ = false;
};

}  // namespace tavro::studio
