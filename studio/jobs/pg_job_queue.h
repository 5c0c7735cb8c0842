// The queue in the shared database: any server submits, any worker process claims. Workers and
// waiters sleep until the database notifies them (LISTEN/NOTIFY), and look again at least every
// few seconds in case a notice was lost or a lease ran out meanwhile; a claimed job's lease is
// renewed while it runs, so that only a worker that stopped loses its jobs to another.
#pragma once

#include "pg_job_table.h"
#include "unique_fd.h"

#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

namespace tavro::studio {

struct PgQueueTimes {
    std::int64_t lease = 20000;  // milliseconds a claim holds without renewal
    std::chrono::milliseconds renew_every{5000};
    std::chrono::milliseconds look_again{3000};  // the longest sleep without a notice
};

class PgJobQueue : public JobQueue {
public:
    // workers: threads that take jobs (0: this process only submits and waits).
    PgJobQueue(PgPool& pool, JobRunner runner, unsigned workers, std::function<std::int64_t()> clock,
               PgQueueTimes times = {});
    ~PgJobQueue() override;
    PgJobQueue(const PgJobQueue&) = delete;
    PgJobQueue& operator=(const PgJobQueue&) = delete;

    std::string submit(JobSpec spec) override;
    std::optional<std::string> submit_alone(JobSpec spec) override;
    std::optional<JobStatus> status(const std::string& id, std::int64_t owner, std::chrono::milliseconds wait) override;

private:
    void listen();
    void listen_on(PgConnection& listener);
    void work();
    void renew();
    void forget_old_jobs();

    PgJobTable table_;
    std::string url_;
    JobRunner runner_;
    std::function<std::int64_t()> clock_;
    PgQueueTimes times_;
    UniqueFd stop_read_;
    UniqueFd stop_write_;

    std::mutex mutex_;
    std::condition_variable noticed_;
    bool stopping_ = false;
    // Counted up by the listener: a sleeper wakes when the count has moved since it looked.
    std::uint64_t work_notices_ = 0;
    std::uint64_t done_notices_ = 0;
    std::set<const ClaimedJob*> running_;
    std::int64_t last_forgotten_ = 0;
    std::vector<std::thread> threads_;
};

}  // namespace tavro::studio
