// A real PostgreSQL for the tests: initdb and pg_ctl in a scratch folder, listening on a free
// port of 127.0.0.1 only; run as nobody when the tests run as root (PostgreSQL refuses root).
#pragma once

#include <string>

class PostgresServer {
public:
    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // A new, empty database on the server, and its URL.
    std::string new_database(const std::string& name);
    std::string url(const std::string& database) const;

private:
    void run(const std::string& command) const;
    bool try_start();

    std::string folder_;
    std::string bin_;
    std::string as_user_;  // the command's prefix that runs it as the server's owner
    int port_ = 0;
    bool started_ = false;
};

// One server for the whole test program, started at its first use.
PostgresServer& test_postgres();

// A new database on that server, named apart from every other of this process, and its URL.
std::string fresh_test_database();
