// tavro-studio: serve the studio, add a teacher, back the data up.
#include "command_line.h"
#include "check_build.h"
#include "exercise_jobs.h"
#include "page_build.h"
#include "scratch_folder.h"
#include "secrets.h"
#include "sqlite_store.h"
#include "backup.h"
#include "studio_server.h"
#include "thread_job_queue.h"

#include <tavro/version.h>

#include <csignal>
#include <iostream>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace tavro::studio {

namespace {

constexpr const char* help_text = R"(Usage:
  tavro-studio serve [--data DIR] [--listen HOST:PORT] [--workers N] [--package PREFIX]
  tavro-studio worker --database URL [--workers N]
  tavro-studio add-teacher NAME [--data DIR] [--if-none]
  tavro-studio backup FILE [--data DIR]
  tavro-studio --help | --version

serve        answers HTTP on --listen (default 127.0.0.1:8080) and builds Runs on --workers
             threads (default: the number of cores; 0: none). --data (default ./studio-data)
             holds the database, created on first use. --package is the installed package
             the pages are built against (default: lib/tavro-studio above this program's
             bin/ when it is there, else the folder above bin/).
add-teacher  makes a teacher and prints the one-time password on its own line; with
             --if-none only when the studio has no teacher yet (else prints nothing).
backup       copies the database to FILE consistently, also while the studio serves.
worker       takes jobs from a shared database (--database postgresql://...).
)";

const std::map<std::string, VerbRules> verbs = {
    {"serve", {0, {}, {"data", "listen", "database", "workers", "package"}, {}}},
    {"worker", {0, {}, {"database", "workers"}, {}}},
    {"add-teacher", {1, {"a teacher's NAME"}, {"data", "database"}, {"if-none"}}},
    {"backup", {1, {"a FILE to write"}, {"data"}, {}}},
};

std::filesystem::path data_folder(const CommandLine& line)
{
    if (line.has("database")) {
        throw UsageError("--database needs PostgreSQL, which this tavro-studio does not have yet: use --data DIR");
    }
    return line.get("data", "studio-data");
}

std::filesystem::path database_in(const std::filesystem::path& folder) { return folder / "studio.db"; }

std::unique_ptr<SqliteStore> open_store(const std::filesystem::path& folder)
{
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
    auto store = open_store(data_folder(line));
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

    void stop_on_signal(StudioServer& server)
    {
        waiter_ = std::thread([this, &server] {
            int signal = 0;
            sigwait(&signals_, &signal);
            server.stop();
        });
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

int serve(const CommandLine& line)
{
    StopSignals stop_signals;
    auto folder = data_folder(line);
    auto [host, port] = parse_listen(line.get("listen", "127.0.0.1:8080"));
    unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    unsigned workers = line.has("workers") ? parse_count(line.get("workers", ""), "workers", 0, 256) : cores;
    std::filesystem::path prefix = line.has("package") ? std::filesystem::path(line.get("package", "")) : own_prefix();
    if (!std::filesystem::exists(prefix / "lib/pkgconfig/tavro-web.pc")) {
        throw UsageError("no package at " + prefix.string() +
                         " (no lib/pkgconfig/tavro-web.pc): give --package PREFIX");
    }
    auto store = open_store(folder);
    // The builds' folders are not in the data folder: the sandbox's unprivileged user must reach
    // them, and a data folder is often readable by its owner alone.
    const ScratchFolder scratch(std::filesystem::temp_directory_path(), "tavro-studio");
    std::filesystem::permissions(scratch.path(), std::filesystem::perms::owner_all |
                                                     std::filesystem::perms::group_exec |
                                                     std::filesystem::perms::others_exec);
    const BuildSetup setup{std::filesystem::absolute(prefix), scratch.path()};
    auto builder = make_page_builder(setup);
    auto checks = make_check_builder(setup);
    const JobTools tools{*builder, *checks, *store, system_millis};
    ThreadJobQueue jobs([&](const JobSpec& job) { return run_job(job, tools); }, workers);
    StudioServer server(*store, jobs, *builder, system_millis, ServerOptions{}, std::cerr);
    int bound = server.bind(host, port);
    stop_signals.stop_on_signal(server);
    std::cout << "serving http://" << host << ":" << bound << "/" << std::endl;
    bool served = server.serve();
    stop_signals.finish();
    return served ? 0 : 1;
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
    if (line.verb == "worker") {
        throw UsageError("worker needs --database, which comes with PostgreSQL: this tavro-studio has none yet");
    }
    start_sodium();
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
