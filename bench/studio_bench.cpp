// The studio's server on 127.0.0.1 with a builder that compiles nothing: a Run of a source
// built before (answered from the store), a save (committed before its answer) and a sign-in
// (argon2id), each one HTTP request.
#include "page_jobs.h"
#include "secrets.h"
#include "sqlite_store.h"
#include "studio_server.h"
#include "thread_job_queue.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>
#include <thread>

using namespace tavro::studio;

namespace {

class InstantBuilder : public PageBuilder {
public:
    std::string key(std::string_view source) const override { return std::string(source); }
    PageBuild build(std::string_view source, std::string_view) const override
    {
        PageBuild build;
        build.outcome = PageBuild::Outcome::built;
        build.page = std::string(800 * 1024, 'p') + std::string(source);
        return build;
    }
};

class BenchStudio {
public:
    BenchStudio()
    {
        start_sodium();
        folder_ = std::filesystem::temp_directory_path() / ("tavro-studio-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
        store_ = std::make_unique<SqliteStore>(folder_ / "studio.db");
        jobs_ = std::make_unique<ThreadJobQueue>(
            [this](const JobSpec& job) { return run_page_job(job, builder_, *store_, 0); }, 1);
        server_ = std::make_unique<StudioServer>(*store_, *jobs_, builder_, system_millis, ServerOptions{}, log_);
        port_ = server_->bind("127.0.0.1", 0);
        serving_ = std::thread([this] { server_->serve(); });
        User user;
        user.name = "bench";
        user.role = Role::teacher;
        user.password_hash = hash_password("bench password");
        store_->add_user(user, 0);
        auto login = client().Post("/api/login", R"({"name":"bench","password":"bench password"})", "application/json");
        std::string cookie = login->get_header_value("Set-Cookie");
        cookie_ = cookie.substr(0, cookie.find(';'));
    }
    ~BenchStudio()
    {
        server_->stop();
        serving_.join();
        server_.reset();
        jobs_.reset();
        store_.reset();
        std::filesystem::remove_all(folder_);
    }

    httplib::Client client() const { return httplib::Client("127.0.0.1", port_); }
    httplib::Headers signed_in() const { return {{"Cookie", cookie_}}; }

private:
    std::filesystem::path folder_;
    InstantBuilder builder_;
    std::unique_ptr<SqliteStore> store_;
    std::unique_ptr<ThreadJobQueue> jobs_;
    std::ostringstream log_;
    std::unique_ptr<StudioServer> server_;
    int port_ = 0;
    std::thread serving_;
    std::string cookie_;
};

BenchStudio& studio()
{
    static BenchStudio instance;
    return instance;
}

const std::string run_body = R"({"source":"int application_main() { return 0; }"})";

void RunBuiltBefore(benchmark::State& state)
{
    auto client = studio().client();
    client.Post("/api/run", studio().signed_in(), run_body, "application/json");
    for (auto _ : state) {
        auto answer = client.Post("/api/run", studio().signed_in(), run_body, "application/json");
        auto page = client.Get("/run/" + answer->body.substr(answer->body.find("/run/") + 5, 64));
        benchmark::DoNotOptimize(page->body.size());
    }
}
BENCHMARK(RunBuiltBefore)->Unit(benchmark::kMillisecond);

void SaveAVersion(benchmark::State& state)
{
    auto client = studio().client();
    int version = 0;
    for (auto _ : state) {
        auto saved = client.Put("/api/files/bench.cpp", studio().signed_in(),
                                R"({"source":"// version )" + std::to_string(++version) + R"("})", "application/json");
        benchmark::DoNotOptimize(saved->status);
    }
}
BENCHMARK(SaveAVersion)->Unit(benchmark::kMillisecond);

void SignIn(benchmark::State& state)
{
    auto client = studio().client();
    for (auto _ : state) {
        auto login = client.Post("/api/login", R"({"name":"bench","password":"bench password"})", "application/json");
        benchmark::DoNotOptimize(login->status);
    }
}
BENCHMARK(SignIn)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
