// tavro-studio: serve the studio, take its jobs, add a teacher, back the data up.
#include "command_line.h"
#include "check_build.h"
#include "exercise_jobs.h"
#include "page_build.h"
#include "scratch_folder.h"
#include "secrets.h"
#include "backup.h"
#include "pg_job_queue.h"
#include "pg_store.h"
#include "shared_login_limits.h"
#include "sqlite_store.h"
#include "studio_server.h"
#include "thread_job_queue.h"

#include <tavro/version.h>

#include <csignal>
#include <functional>
#include <iostream>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace tavro::studio {

namespace {

constexpr const char* help_text = R"(Usage:
  tavro-studio serve [--data DIR | --database URL] [--listen HOST:PORT] [--workers N] [--package PREFIX]
  tavro-studio worker --database URL [--workers N] [--package PREFIX]
  tavro-studio add-teacher NAME [--data DIR | --database URL] [--if-none]
  tavro-studio backup FILE [--data DIR]
  tavro-studio --help | --version

serve        answers HTTP on --listen (default 127.0.0.1:8080) and builds Runs on --workers
             threads (default: the number of cores; 0: none). --data (default ./studio-data)
             holds the database, created on first use; --database postgresql://... is a
             database shared by several servers and workers instead. --package is the
             installed package the pages are built against (default: lib/tavro-studio above
             this program's bin/ when it is there, else the folder above bin/).
worker       takes jobs from the shared database on --workers threads until stopped.
add-teacher  makes a teacher and prints the one-time password on its own line; with
             --if-none only when the studio has no teacher yet (else prints nothing).
backup       copies the database to FILE consistently, also while the studio serves (a
             shared database is backed up with PostgreSQL's pg_dump).
)";

const std::map<std::string, VerbRules> verbs = {
    {"serve", {0, {}, {"data", "listen", "database", "workers", "package"}, {}}},
    {"worker", {0, {}, {"database", "workers", "package"}, {}}},
    {"add-teacher", {1, {"a teacher's NAME"}, {"data", "database"}, {"if-none"}}},
    {"backup", {1, {"a FILE to write"}, {"data", "database"}, {}}},
};

// Connections of a server's store: its HTTP threads wait for one only while all are busy.
constexpr std::size_t server_connections = 16;

// The shared database's URL, or nullopt for the data folder's file.
std::optional<std::string> database_url(const CommandLine& line)
{
    if (!line.has("database")) {
        return std::nullopt;
    }
    if (line.has("data")) {
        throw UsageError("--data and --database are two places for the studio's data: give one");
    }
    std::string url = line.get("database", "");
    if (url.rfind("postgresql://", 0) != 0 && url.rfind("postgres://", 0) != 0) {
        throw UsageError("--database takes a postgresql://... URL");
    }
    return url;
}

std::filesystem::path data_folder(const CommandLine& line) { return line.get("data", "studio-data"); }

std::filesystem::path database_in(const std::filesystem::path& folder) { return folder / "studio.db"; }

std::unique_ptr<Store> open_store(const CommandLine& line, std::size_t connections = 2)
{
    if (auto url = database_url(line)) {
        return std::make_unique<PgStore>(*url, connections);
    }
    auto folder = data_folder(line);
    std::filesystem::create_directories(folder);
    return std::make_unique<SqliteStore>(database_in(folder));
}

// The installed package beside this program; the Debian package keeps it in lib/tavro-studio, out of
// the machine's own library folders.
std::filesystem::path own_prefix()
{
    std::error_code error;
    auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path above = error ? std::filesystem::path("/usr") : program.parent_path().parent_path();
    const std::filesystem::path packaged = above / "lib/tavro-studio";
    return std::filesystem::exists(packaged / "lib/pkgconfig/tavro-web.pc", error) ? packaged : above;
}

int add_teacher(const CommandLine& line)
{
    const std::string& name = line.operands[0];
    try {
        check_name(name, "teacher's name");
    } catch (const HttpError& error) {
        throw UsageError(error.what());
    }
    auto store = open_store(line);
    if (line.has("if-none") && store->has_teacher()) {
        return 0;
    }
    std::string password = new_password();
    User teacher;
    teacher.name = name;
    teacher.role = Role::teacher;
    teacher.password_hash = hash_password(password);
    if (!store->add_user(teacher, system_millis())) {
        std::cerr << "tavro-studio: the name '" << name << "' is taken\n";
        return 1;
    }
    std::cout << password << std::endl;
    return 0;
}

int backup(const CommandLine& line)
{
    if (database_url(line)) {
        throw UsageError("backup copies the single-file database: back a PostgreSQL database up with pg_dump");
    }
    auto folder = data_folder(line);
    backup_database(database_in(folder), line.operands[0]);
    std::cerr << "tavro-studio: " << database_in(folder).string() << " copied to " << line.operands[0] << "\n";
    return 0;
}

// SIGINT and SIGTERM end serving: blocked before any thread starts (threads inherit the mask),
// then taken by one thread with sigwait, so that no handler runs inside the server's threads.
class StopSignals {
public:
    StopSignals()
    {
        sigemptyset(&signals_);
        sigaddset(&signals_, SIGINT);
        sigaddset(&signals_, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &signals_, nullptr);
    }
    ~StopSignals() { finish(); }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    void stop_on_signal(std::function<void()> stop)
    {
        waiter_ = std::thread([this, stop = std::move(stop)] {
            int signal = 0;
            sigwait(&signals_, &signal);
            stop();
        });
    }

    // In this thread, until a signal comes.
    void wait()
    {
        int signal = 0;
        sigwait(&signals_, &signal);
    }

    // Before the server goes: the waiter may be inside its stop().
    void finish()
    {
        if (waiter_.joinable()) {
            pthread_kill(waiter_.native_handle(), SIGTERM);
            waiter_.join();
        }
    }

private:
    sigset_t signals_;
    std::thread waiter_;
};

unsigned worker_count(const CommandLine& line)
{
    unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return line.has("workers") ? parse_count(line.get("workers", ""), "workers", 0, 256) : cores;
}

std::filesystem::path package_prefix(const CommandLine& line)
{
    std::filesystem::path prefix = line.has("package") ? std::filesystem::path(line.get("package", "")) : own_prefix();
    if (!std::filesystem::exists(prefix / "lib/pkgconfig/tavro-web.pc")) {
        throw UsageError("no package at " + prefix.string() +
                         " (no lib/pkgconfig/tavro-web.pc): give --package PREFIX");
    }
    return std::filesystem::absolute(prefix);
}

// What a process that takes jobs builds them with. The builds' folders are not in the data
// folder: the sandbox's unprivileged user must reach them, and a data folder is often readable
// by its owner alone.
class JobWorkshop {
public:
    JobWorkshop(const std::filesystem::path& prefix, Store& store)
        : scratch_(std::filesystem::temp_directory_path(), "tavro-studio"), setup_{prefix, scratch_.path()},
          pages_(make_page_builder(setup_)),
          checks_(make_check_builder(setup_)), tools_{*pages_, *checks_, store, system_millis}
    {
        std::filesystem::permissions(scratch_.path(), std::filesystem::perms::owner_all |
                                                          std::filesystem::perms::group_exec |
                                                          std::filesystem::perms::others_exec);
    }

    const PageBuilder& pages() const { return *pages_; }
    JobRunner runner() const
    {
        return [this](const JobSpec& job) { return run_job(job, tools_); };
    }

private:
    const ScratchFolder scratch_;
    const BuildSetup setup_;
    std::unique_ptr<PageBuilder> pages_;
    std::unique_ptr<CheckBuilder> checks_;
    const JobTools tools_;
};

int serve(const CommandLine& line)
{
    StopSignals stop_signals;
    auto url = database_url(line);
    auto [host, port] = parse_listen(line.get("listen", "127.0.0.1:8080"));
    const unsigned workers = worker_count(line);
    const auto prefix = package_prefix(line);
    auto store = open_store(line, server_connections);
    JobWorkshop workshop(prefix, *store);
    ServerOptions options;
    std::unique_ptr<JobQueue> jobs;
    if (url) {
        PgPool& pool = static_cast<PgStore&>(*store).pool();
        jobs = std::make_unique<PgJobQueue>(pool, workshop.runner(), workers, system_millis);
        options.shared_login_limits = std::make_shared<SharedLoginLimits>(pool, system_millis);
    } else {
        jobs = std::make_unique<ThreadJobQueue>(workshop.runner(), workers);
    }
    StudioServer server(*store, *jobs, workshop.pages(), system_millis, options, std::cerr);
    int bound = server.bind(host, port);
    stop_signals.stop_on_signal([&server] { server.stop(); });
    std::cout << "serving http://" << host << ":" << bound << "/" << std::endl;
    bool served = server.serve();
    stop_signals.finish();
    return served ? 0 : 1;
}

int work(const CommandLine& line)
{
    auto url = database_url(line);
    if (!url) {
        throw UsageError("worker needs --database postgresql://...: it takes jobs from a shared database");
    }
    StopSignals stop_signals;
    const unsigned workers = worker_count(line);
    const auto prefix = package_prefix(line);
    PgStore store(*url, workers + 2);
    JobWorkshop workshop(prefix, store);
    PgJobQueue jobs(store.pool(), workshop.runner(), workers, system_millis);
    std::cout << "taking jobs on " << workers << " threads" << std::endl;
    stop_signals.wait();
    return 0;
}

int run(const CommandLine& line)
{
    if (line.verb == "--help" || line.verb == "-h" || line.has("help")) {
        std::cout << help_text;
        return 0;
    }
    if (line.verb == "--version") {
        std::cout << "tavro-studio " << TAVRO_VERSION_STRING << "\n";
        return 0;
    }
    start_sodium();
    if (line.verb == "worker") {
        return work(line);
    }
    if (line.verb == "add-teacher") {
        return add_teacher(line);
    }
    if (line.verb == "backup") {
        return backup(line);
    }
    return serve(line);
}

}  // namespace

}  // namespace tavro::studio

int main(int argc, char** argv)
{
    using namespace tavro::studio;
    try {
        return run(parse_command_line(std::vector<std::string>(argv + 1, argv + argc), verbs));
    } catch (const UsageError& error) {
        std::cerr << "tavro-studio: " << error.what() << "\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "tavro-studio: " << error.what() << "\n";
        return 1;
    }
}
