// RAII over libpq: a connection, its results, a transaction, and a small pool of connections
// for the server's threads. Every query is parameterised: values travel apart from the SQL, in
// binary, so that no user's text is ever read as SQL. Failures are StoreError with the server's
// own first line.
#pragma once

#include "store.h"

#include <libpq-fe.h>

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tavro::studio {

// One value of a query: a whole number, a text, bytes, or null.
class PgValue {
public:
    PgValue(std::int64_t number);
    PgValue(int number) : PgValue(std::int64_t{number}) {}
    PgValue(bool flag) : PgValue(std::int64_t{flag}) {}
    PgValue(const std::string& text) : PgValue(text, text_type) {}
    PgValue(const char* text) : PgValue(std::string(text)) {}
    static PgValue bytes(const std::string& data) { return PgValue(data, bytes_type); }
    static PgValue null() { return PgValue(std::string(), 0, true); }

    Oid type() const { return type_; }
    const std::string& data() const { return data_; }
    bool is_null() const { return null_; }

private:
    static constexpr Oid text_type = 25;
    static constexpr Oid bytes_type = 17;
    PgValue(std::string data, Oid type, bool null = false) : data_(std::move(data)), type_(type), null_(null) {}

    std::string data_;
    Oid type_;
    bool null_;
};

// A query's rows, read in binary: integer columns are bigint (or int), others text or bytea.
class PgResult {
public:
    explicit PgResult(PGresult* result) : result_(result, PQclear) {}

    int rows() const { return PQntuples(result_.get()); }
    bool empty() const { return rows() == 0; }
    std::int64_t integer(int row, int column) const;
    std::string text(int row, int column) const;
    bool is_null(int row, int column) const { return PQgetisnull(result_.get(), row, column) != 0; }
    // Rows a command changed.
    std::int64_t changed() const;
    const PGresult* get() const { return result_.get(); }

private:
    std::unique_ptr<PGresult, void (*)(PGresult*)> result_;
};

class PgConnection {
public:
    // url: postgresql://... or key=value words, as libpq reads them.
    explicit PgConnection(const std::string& url);
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    PgResult query(const char* sql, const std::vector<PgValue>& values = {});
    void execute(const char* sql) { query(sql); }
    // Several statements without values, as a migration's step is.
    void run_script(const char* sql);
    bool healthy() const { return PQstatus(connection_.get()) == CONNECTION_OK; }
    PGconn* get() const { return connection_.get(); }

private:
    std::unique_ptr<PGconn, void (*)(PGconn*)> connection_;
};

// BEGIN ... COMMIT, rolled back when left by an exception.
class PgTransaction {
public:
    explicit PgTransaction(PgConnection& connection);
    ~PgTransaction();
    PgTransaction(const PgTransaction&) = delete;
    PgTransaction& operator=(const PgTransaction&) = delete;
    void commit();

private:
    PgConnection& connection_;
    bool done_ = false;
};

// Connections made as threads ask for them, up to a bound; a broken one is dropped when given back.
class PgPool {
public:
    PgPool(std::string url, std::size_t most);

    class Lease {
    public:
        Lease(PgPool& pool, std::unique_ptr<PgConnection> connection) : pool_(pool), connection_(std::move(connection))
        {
        }
        ~Lease() { pool_.give_back(std::move(connection_)); }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        PgConnection& operator*() const { return *connection_; }
        PgConnection* operator->() const { return connection_.get(); }

    private:
        PgPool& pool_;
        std::unique_ptr<PgConnection> connection_;
    };

    Lease take();
    const std::string& url() const { return url_; }

private:
    void give_back(std::unique_ptr<PgConnection> connection);

    std::string url_;
    std::size_t most_;
    std::size_t made_ = 0;
    std::mutex mutex_;
    std::condition_variable returned_;
    std::vector<std::unique_ptr<PgConnection>> idle_;
};

// The first line of libpq's message, for a one-line error.
std::string first_line(const char* message);

}  // namespace tavro::studio
