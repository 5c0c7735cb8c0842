#include "pg_handle.h"

#include <arpa/inet.h>
#include <cstring>

namespace tavro::studio {

namespace {

constexpr int binary = 1;

std::uint64_t big_endian(std::uint64_t value)
{
    return (std::uint64_t{htonl(static_cast<std::uint32_t>(value))} << 32) |
           htonl(static_cast<std::uint32_t>(value >> 32));
}

[[noreturn]] void fail_with(const PGresult* result, PGconn* connection)
{
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    // The same words as the single file's full disk, so that the server answers alike.
    if (state && std::strcmp(state, "53100") == 0) {
        throw StoreError("the database's disk is full");
    }
    const char* primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    throw StoreError("the database: " + first_line(primary ? primary : PQerrorMessage(connection)));
}

}  // namespace

std::string first_line(const char* message)
{
    std::string line = message ? message : "";
    line = line.substr(0, line.find('\n'));
    return line.empty() ? "no answer" : line;
}

PgValue::PgValue(std::int64_t number) : type_(20), null_(false)
{
    std::uint64_t network = big_endian(static_cast<std::uint64_t>(number));
    data_.assign(reinterpret_cast<const char*>(&network), sizeof network);
}

std::int64_t PgResult::integer(int row, int column) const
{
    const char* bytes = PQgetvalue(result_.get(), row, column);
    int length = PQgetlength(result_.get(), row, column);
    if (length == 4) {
        std::uint32_t network;
        std::memcpy(&network, bytes, sizeof network);
        return static_cast<std::int32_t>(ntohl(network));
    }
    if (length == 8) {
        std::uint64_t network;
        std::memcpy(&network, bytes, sizeof network);
        return static_cast<std::int64_t>(big_endian(network));
    }
    if (length == 1) {
        return bytes[0] != 0;
    }
    return 0;
}

std::string PgResult::text(int row, int column) const
{
    return std::string(PQgetvalue(result_.get(), row, column),
                       static_cast<std::size_t>(PQgetlength(result_.get(), row, column)));
}

std::int64_t PgResult::changed() const
{
    const char* count = PQcmdTuples(result_.get());
    return count && *count ? std::stoll(count) : 0;
}

PgConnection::PgConnection(const std::string& url) : connection_(PQconnectdb(url.c_str()), PQfinish)
{
    if (!connection_ || PQstatus(connection_.get()) != CONNECTION_OK) {
        throw StoreError("cannot reach the database: " +
                         first_line(connection_ ? PQerrorMessage(connection_.get()) : "out of memory"));
    }
    // Notices (a table that already exists) are not the studio's to print.
    PQsetNoticeProcessor(
        connection_.get(), [](void*, const char*) {}, nullptr);
    execute("SET client_encoding = 'UTF8'");
}

PgResult PgConnection::query(const char* sql, const std::vector<PgValue>& values)
{
    std::vector<Oid> types;
    std::vector<const char*> data;
    std::vector<int> lengths;
    std::vector<int> formats(values.size(), binary);
    for (const auto& value : values) {
        types.push_back(value.type());
        data.push_back(value.is_null() ? nullptr : value.data().data());
        lengths.push_back(static_cast<int>(value.data().size()));
    }
    PgResult result(PQexecParams(connection_.get(), sql, static_cast<int>(values.size()), types.data(), data.data(),
                                 lengths.data(), formats.data(), binary));
    auto status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        fail_with(result.get(), connection_.get());
    }
    return result;
}

void PgConnection::run_script(const char* sql)
{
    PgResult result(PQexec(connection_.get(), sql));
    auto status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        fail_with(result.get(), connection_.get());
    }
}

PgTransaction::PgTransaction(PgConnection& connection) : connection_(connection) { connection_.execute("BEGIN"); }

PgTransaction::~PgTransaction()
{
    if (!done_) {
        PQclear(PQexec(connection_.get(), "ROLLBACK"));
    }
}

void PgTransaction::commit()
{
    connection_.execute("COMMIT");
    done_ = true;
}

PgPool::PgPool(std::string url, std::size_t most) : url_(std::move(url)), most_(most)
{
    // The first connection at once, so that a wrong URL fails at start-up.
    idle_.push_back(std::make_unique<PgConnection>(url_));
    made_ = 1;
}

PgPool::Lease PgPool::take()
{
    std::unique_lock lock(mutex_);
    returned_.wait(lock, [this] { return !idle_.empty() || made_ < most_; });
    if (!idle_.empty()) {
        auto connection = std::move(idle_.back());
        idle_.pop_back();
        return Lease(*this, std::move(connection));
    }
    ++made_;
    lock.unlock();
    try {
        return Lease(*this, std::make_unique<PgConnection>(url_));
    } catch (...) {
        lock.lock();
        --made_;
        returned_.notify_one();
        throw;
    }
}

void PgPool::give_back(std::unique_ptr<PgConnection> connection)
{
    std::lock_guard lock(mutex_);
    if (connection && connection->healthy() && PQtransactionStatus(connection->get()) == PQTRANS_IDLE) {
        idle_.push_back(std::move(connection));
    } else {
        --made_;
    }
    returned_.notify_one();
}

}  // namespace tavro::studio
