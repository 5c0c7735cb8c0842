#include "postgres_server.h"
#include "pg_handle.h"
#include "test_support.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <filesystem>
#include <netinet/in.h>
#include <pwd.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The newest of Debian's PostgreSQL servers.
std::string server_programs()
{
    std::string newest;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/usr/lib/postgresql", error)) {
        auto bin = entry.path() / "bin";
        if (std::filesystem::exists(bin / "initdb") &&
            (newest.empty() || std::stoi(entry.path().filename().string()) > std::stoi(newest))) {
            newest = entry.path().filename().string();
        }
    }
    if (newest.empty()) {
        throw std::runtime_error("no PostgreSQL server in /usr/lib/postgresql: scripts/install-deps test installs it");
    }
    return "/usr/lib/postgresql/" + newest + "/bin";
}

int free_port()
{
    int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    close(probe);
    return ntohs(address.sin_port);
}

}  // namespace

PostgresServer::PostgresServer() : bin_(server_programs())
{
    char name[] = "/tmp/tavro-postgres-XXXXXX";
    if (!mkdtemp(name)) {
        throw std::runtime_error("cannot make a folder for PostgreSQL");
    }
    folder_ = name;
    if (geteuid() == 0) {
        const passwd* nobody = getpwnam("nobody");
        if (!nobody || chown(folder_.c_str(), nobody->pw_uid, nobody->pw_gid) != 0) {
            throw std::runtime_error("cannot give " + folder_ + " to nobody");
        }
        as_user_ = "runuser -u nobody -- ";
    }
    run(bin_ + "/initdb -D " + folder_ + "/data -A trust -U studio -E UTF8 --no-sync");
    // A port found free may be taken before the server binds it: then another.
    for (int attempt = 0; attempt < 5 && !started_; ++attempt) {
        started_ = try_start();
    }
    if (!started_) {
        throw std::runtime_error("PostgreSQL did not start: see " + folder_ + "/log");
    }
}

PostgresServer::~PostgresServer()
{
    if (started_) {
        shell_status(as_user_ + bin_ + "/pg_ctl -D " + folder_ + "/data -m immediate -w stop >/dev/null 2>&1");
    }
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
}

void PostgresServer::run(const std::string& command) const
{
    if (shell_status(as_user_ + command + " >" + folder_ + "/setup.log 2>&1") != 0) {
        throw std::runtime_error(command + " failed:\n" + read_file(folder_ + "/setup.log"));
    }
}

bool PostgresServer::try_start()
{
    port_ = free_port();
    // Durability is not what the tests look at: no fsync, so that they run as fast as they can.
    std::string options = "-p " + std::to_string(port_) + " -k " + folder_ +
                          " -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off"
                          " -c full_page_writes=off -c max_connections=200";
    return shell_status(as_user_ + bin_ + "/pg_ctl -D " + folder_ + "/data -l " + folder_ + "/log -w -t 60 -o '" +
                        options + "' start >/dev/null 2>&1") == 0;
}

std::string PostgresServer::url(const std::string& database) const
{
    return "postgresql://studio@127.0.0.1:" + std::to_string(port_) + "/" + database;
}

std::string PostgresServer::new_database(const std::string& name)
{
    tavro::studio::PgConnection admin(url("postgres"));
    admin.execute(("CREATE DATABASE " + name).c_str());
    return url(name);
}

PostgresServer& test_postgres()
{
    static PostgresServer server;
    return server;
}

std::string fresh_test_database()
{
    static int made = 0;
    return test_postgres().new_database("test_" + std::to_string(getpid()) + "_" + std::to_string(++made));
}
