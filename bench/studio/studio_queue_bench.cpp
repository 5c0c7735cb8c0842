// What the shared queue costs per job in PostgreSQL, beside the job itself: a submit, and a
// claim with its finish (the two statements a worker runs per job), by one claimer and by two
// at once (SKIP LOCKED: neither waits for the other's row).
//   studio_queue_bench URL [JOBS]   (URL: an empty database; studio_district_bench.py makes one)
#include "pg_job_table.h"
#include "pg_store.h"
#include "secrets.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <thread>
#include <vector>

namespace {

using namespace tavro::studio;
using seconds = std::chrono::duration<double>;

std::int64_t wall_millis()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// A page job as a Run makes it: a 100-line source's worth of bytes.
JobSpec page_job(int owner) { return JobSpec{owner, "page", std::string(3000, 'x'), "main.cpp", {}}; }

double submit_all(PgJobTable& table, int jobs, int first_owner)
{
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < jobs; ++i) {
        table.submit(page_job(first_owner + i));
    }
    return seconds(std::chrono::steady_clock::now() - start).count();
}

// Claims and finishes until none is left, on `claimers` threads each with its connection.
double drain(PgStore& store, int claimers, int& done)
{
    std::atomic<int> count{0};
    auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> threads;
    for (int i = 0; i < claimers; ++i) {
        threads.emplace_back([&] {
            PgJobTable table(store.pool(), wall_millis, 60000);
            while (auto job = table.claim()) {
                table.finish(*job, {{"status", "built"}, {"page", "/run/0"}});
                ++count;
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    done = count;
    return seconds(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: studio_queue_bench URL [JOBS]\n";
        return 2;
    }
    start_sodium();
    const int jobs = argc > 2 ? std::atoi(argv[2]) : 2000;
    PgStore store(argv[1], 4);
    PgJobTable table(store.pool(), wall_millis, 60000);
    for (int claimers : {1, 2}) {
        const double submitted = submit_all(table, jobs, claimers * jobs);
        int done = 0;
        const double drained = drain(store, claimers, done);
        std::cout << "queue of " << jobs << " jobs, " << claimers << " claimer(s): submit " << submitted / jobs * 1e6
                  << " us a job; claim and finish " << drained / done * 1e6 << " us a job (" << done << " claimed, "
                  << done / drained << " a second)\n";
        table.forget_ended_before(wall_millis() + 1);
    }
    return 0;
}
