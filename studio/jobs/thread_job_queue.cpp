#include "thread_job_queue.h"

#include <sodium.h>

namespace tavro::studio {

namespace {

// Ended jobs are kept this long for a poller to read.
constexpr auto kept_after_end = std::chrono::minutes(10);

std::string random_id()
{
    unsigned char bytes[16];
    randombytes_buf(bytes, sizeof bytes);
    char hex[sizeof bytes * 2 + 1];
    sodium_bin2hex(hex, sizeof hex, bytes, sizeof bytes);
    return hex;
}

}  // namespace

ThreadJobQueue::ThreadJobQueue(JobRunner runner, unsigned workers) : runner_(std::move(runner))
{
    for (unsigned i = 0; i < workers; ++i) {
        workers_.emplace_back([this] { work(); });
    }
}

ThreadJobQueue::~ThreadJobQueue()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    work_ready_.notify_all();
    for (auto& worker : workers_) {
        worker.join();
    }
}

std::string ThreadJobQueue::submit(JobSpec spec)
{
    std::lock_guard lock(mutex_);
    return submit_locked(std::move(spec));
}

std::optional<std::string> ThreadJobQueue::submit_alone(JobSpec spec)
{
    std::lock_guard lock(mutex_);
    // An owner is in the table while one of its jobs is queued or running.
    if (owners_.count(spec.owner)) {
        return std::nullopt;
    }
    return submit_locked(std::move(spec));
}

std::string ThreadJobQueue::submit_locked(JobSpec spec)
{
    forget_old_jobs();
    Owner& owner = owners_[spec.owner];
    if (owner.pending) {
        owner.pending->spec = std::move(spec);
        return owner.pending->id;
    }
    auto job = std::make_shared<Job>();
    job->id = random_id();
    job->spec = std::move(spec);
    jobs_[job->id] = job;
    owner.pending = job;
    if (!owner.running) {
        ready_owners_.push_back(job->spec.owner);
        work_ready_.notify_one();
    }
    return job->id;
}

std::optional<JobStatus> ThreadJobQueue::status(const std::string& id, std::int64_t owner,
                                                std::chrono::milliseconds wait)
{
    std::unique_lock lock(mutex_);
    auto found = jobs_.find(id);
    if (found == jobs_.end() || found->second->spec.owner != owner) {
        return std::nullopt;
    }
    auto job = found->second;
    job_done_.wait_for(lock, wait, [&] { return job->status.state == JobStatus::State::done; });
    return job->status;
}

void ThreadJobQueue::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        work_ready_.wait(lock, [this] { return stopping_ || !ready_owners_.empty(); });
        if (stopping_) {
            return;
        }
        std::int64_t owner_id = ready_owners_.front();
        ready_owners_.pop_front();
        Owner& owner = owners_[owner_id];
        auto job = std::move(owner.pending);
        owner.running = job;
        job->status.state = JobStatus::State::running;
        JobSpec spec = job->spec;
        lock.unlock();
        nlohmann::json answer;
        try {
            answer = runner_(spec);
        } catch (const std::exception& error) {
            answer = {{"status", "failed"}, {"reason", error.what()}};
        }
        lock.lock();
        job->status = JobStatus{JobStatus::State::done, std::move(answer)};
        job->ended = std::chrono::steady_clock::now();
        ended_.push_back(job);
        Owner& after = owners_[owner_id];
        after.running.reset();
        if (after.pending) {
            ready_owners_.push_back(owner_id);
            work_ready_.notify_one();
        } else {
            owners_.erase(owner_id);
        }
        job_done_.notify_all();
    }
}

void ThreadJobQueue::forget_old_jobs()
{
    auto now = std::chrono::steady_clock::now();
    while (!ended_.empty() && now - ended_.front()->ended > kept_after_end) {
        jobs_.erase(ended_.front()->id);
        ended_.pop_front();
    }
}

}  // namespace tavro::studio
