// The shared queue's table, one statement per step, so that any number of servers and workers
// can use it at once: a job is claimed under a lease (FOR UPDATE SKIP LOCKED, so that two workers
// never wait for each other), the lease is renewed while the job runs, and a job whose lease ran
// out is claimed again, at most three times in all.
#pragma once

#include "job_queue.h"
#include "pg_handle.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tavro::studio {

// Channels a queue listens on: work to claim, and a job that ended (its id as the payload).
constexpr const char* work_channel = "tavro_studio_work";
constexpr const char* done_channel = "tavro_studio_done";

struct ClaimedJob {
    std::string id;
    JobSpec spec;
    std::int64_t attempt = 0;  // 1 for the first claim; a claim is only its own while this holds
};

class PgJobTable {
public:
    static constexpr std::int64_t most_attempts = 3;

    // clock: milliseconds, as the store keeps them; lease: how long a claim holds unrenewed.
    PgJobTable(PgPool& pool, std::function<std::int64_t()> clock, std::int64_t lease);

    std::string submit(const JobSpec& spec);
    std::optional<std::string> submit_alone(const JobSpec& spec);
    std::optional<JobStatus> status(const std::string& id, std::int64_t owner);

    // The oldest job that may run now: queued with no job of its owner running, or running
    // under a lease that ran out. Jobs that ran out of their last attempt end failed first.
    std::optional<ClaimedJob> claim();
    void renew(const ClaimedJob& job);
    void finish(const ClaimedJob& job, const nlohmann::json& answer);
    // The attempt failed: the job may be claimed again at once, or ends failed with reason.
    void give_up(const ClaimedJob& job, const std::string& reason);
    // Ended jobs are kept this long for their pollers.
    void forget_ended_before(std::int64_t time);

private:
    std::string new_id();
    void end_exhausted(PgConnection& db, std::int64_t now);

    PgPool& pool_;
    std::function<std::int64_t()> clock_;
    std::int64_t lease_;
    std::string worker_;
};

}  // namespace tavro::studio
