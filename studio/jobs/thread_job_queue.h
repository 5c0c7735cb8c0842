// The in-process queue: N worker threads sleeping on a condition variable, owners served in
// the order they asked, one job per owner at a time.
#pragma once

#include "job_queue.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace tavro::studio {

class ThreadJobQueue : public JobQueue {
public:
    ThreadJobQueue(JobRunner runner, unsigned workers);
    ~ThreadJobQueue() override;
    ThreadJobQueue(const ThreadJobQueue&) = delete;
    ThreadJobQueue& operator=(const ThreadJobQueue&) = delete;

    std::string submit(JobSpec spec) override;
    std::optional<std::string> submit_alone(JobSpec spec) override;
    std::optional<JobStatus> status(const std::string& id, std::int64_t owner, std::chrono::milliseconds wait) override;

private:
    struct Job {
        std::string id;
        JobSpec spec;
        JobStatus status;
        std::chrono::steady_clock::time_point ended;
    };
    struct Owner {
        std::shared_ptr<Job> running;
        std::shared_ptr<Job> pending;
    };

    std::string submit_locked(JobSpec spec);
    void work();
    void forget_old_jobs();

    JobRunner runner_;
    std::mutex mutex_;
    std::condition_variable work_ready_;
    std::condition_variable job_done_;
    bool stopping_ = false;
    std::deque<std::int64_t> ready_owners_;
    std::map<std::int64_t, Owner> owners_;
    std::map<std::string, std::shared_ptr<Job>> jobs_;
    std::deque<std::shared_ptr<Job>> ended_;
    std::vector<std::thread> workers_;
};

}  // namespace tavro::studio
