#include "pg_job_queue.h"

#include <fcntl.h>
#include <poll.h>

namespace tavro::studio {

namespace {

// Ended jobs are kept this long for a poller to read, and looked for this often.
constexpr std::int64_t kept_after_end = 10 * 60 * 1000;
constexpr std::int64_t forget_every = 60 * 1000;

}  // namespace

PgJobQueue::PgJobQueue(PgPool& pool, JobRunner runner, unsigned workers, std::function<std::int64_t()> clock,
                       PgQueueTimes times)
    : table_(pool, clock, times.lease), url_(pool.url()), runner_(std::move(runner)), clock_(std::move(clock)),
      times_(times)
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        throw StoreError("no pipe for the queue's listener");
    }
    stop_read_ = UniqueFd(ends[0]);
    stop_write_ = UniqueFd(ends[1]);
    threads_.emplace_back([this] { listen(); });
    for (unsigned i = 0; i < workers; ++i) {
        threads_.emplace_back([this] { work(); });
    }
    if (workers > 0) {
        threads_.emplace_back([this] { renew(); });
    }
}

PgJobQueue::~PgJobQueue()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    noticed_.notify_all();
    char byte = 0;
    (void)!write(stop_write_.get(), &byte, 1);
    for (auto& thread : threads_) {
        thread.join();
    }
}

std::string PgJobQueue::submit(JobSpec spec)
{
    forget_old_jobs();
    return table_.submit(spec);
}

std::optional<std::string> PgJobQueue::submit_alone(JobSpec spec)
{
    forget_old_jobs();
    return table_.submit_alone(spec);
}

std::optional<JobStatus> PgJobQueue::status(const std::string& id, std::int64_t owner, std::chrono::milliseconds wait)
{
    const auto until = std::chrono::steady_clock::now() + wait;
    for (;;) {
        std::uint64_t seen;
        {
            std::lock_guard lock(mutex_);
            seen = done_notices_;
        }
        auto status = table_.status(id, owner);
        auto now = std::chrono::steady_clock::now();
        if (!status || status->state == JobStatus::State::done || now >= until) {
            return status;
        }
        std::unique_lock lock(mutex_);
        noticed_.wait_until(lock, std::min(until, now + times_.look_again),
                            [&] { return stopping_ || done_notices_ != seen; });
        if (stopping_) {
            return status;
        }
    }
}

void PgJobQueue::listen()
{
    while (true) {
        {
            std::lock_guard lock(mutex_);
            if (stopping_) {
                return;
            }
        }
        try {
            PgConnection listener(url_);
            listener.execute((std::string("LISTEN ") + work_channel).c_str());
            listener.execute((std::string("LISTEN ") + done_channel).c_str());
            listen_on(listener);
        } catch (const StoreError&) {
            // The database is away: sleepers look again on their own until it is back.
        }
        pollfd stop{stop_read_.get(), POLLIN, 0};
        poll(&stop, 1, static_cast<int>(times_.look_again.count()));
    }
}

void PgJobQueue::listen_on(PgConnection& listener)
{
    pollfd both[2] = {{PQsocket(listener.get()), POLLIN, 0}, {stop_read_.get(), POLLIN, 0}};
    while (true) {
        if (poll(both, 2, -1) < 0 && errno != EINTR) {
            return;
        }
        if (both[1].revents) {
            return;
        }
        if (!PQconsumeInput(listener.get())) {
            return;
        }
        bool work = false;
        bool done = false;
        while (PGnotify* notice = PQnotifies(listener.get())) {
            std::string channel = notice->relname;
            PQfreemem(notice);
            work = work || channel == work_channel;
            done = done || channel == done_channel;
        }
        if (work || done) {
            std::lock_guard lock(mutex_);
            work_notices_ += work;
            done_notices_ += done;
            noticed_.notify_all();
        }
    }
}

void PgJobQueue::work()
{
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        const std::uint64_t seen = work_notices_;
        lock.unlock();
        std::optional<ClaimedJob> job;
        try {
            job = table_.claim();
        } catch (const StoreError&) {
            // Looked for again after the pause below.
        }
        if (job) {
            lock.lock();
            running_.insert(&*job);
            lock.unlock();
            try {
                nlohmann::json answer = runner_(job->spec);
                table_.finish(*job, answer);
            } catch (const std::exception& error) {
                try {
                    table_.give_up(*job, error.what());
                } catch (const StoreError&) {
                    // Its lease runs out and another attempt begins.
                }
            }
            lock.lock();
            running_.erase(&*job);
            continue;
        }
        lock.lock();
        noticed_.wait_for(lock, times_.look_again, [&] { return stopping_ || work_notices_ != seen; });
    }
}

void PgJobQueue::renew()
{
    std::unique_lock lock(mutex_);
    while (!noticed_.wait_for(lock, times_.renew_every, [this] { return stopping_; })) {
        std::vector<ClaimedJob> jobs;
        for (const ClaimedJob* job : running_) {
            jobs.push_back(*job);
        }
        lock.unlock();
        for (const auto& job : jobs) {
            try {
                table_.renew(job);
            } catch (const StoreError&) {
                // Renewed at the next turn, if the lease has not run out by then.
            }
        }
        lock.lock();
    }
}

void PgJobQueue::forget_old_jobs()
{
    const std::int64_t now = clock_();
    {
        std::lock_guard lock(mutex_);
        if (now - last_forgotten_ < forget_every) {
            return;
        }
        last_forgotten_ = now;
    }
    table_.forget_ended_before(now - kept_after_end);
}

}  // namespace tavro::studio
