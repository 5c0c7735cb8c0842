// The queue of work for the workers: builds of pages, checks and references. One interface so that a queue in
// a shared database can stand in for the in-process one.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace tavro::studio {

struct JobSpec {
    std::int64_t owner = 0;  // one job of an owner runs at a time
    std::string kind;        // "page", "check" or "references"
    std::string source;
    std::string file_name;
    nlohmann::json details;  // what a check or references job needs beyond the source
};

struct JobStatus {
    enum class State { queued, running, done };
    State state = State::queued;
    nlohmann::json answer;  // done: what the request that made the job answers
};

// Does a job and gives its answer. An exception is a failed attempt: the in-process queue answers
// {"status":"failed","reason":...} at once, the shared one tries again, up to three times.
using JobRunner = std::function<nlohmann::json(const JobSpec&)>;

class JobQueue {
public:
    virtual ~JobQueue() = default;
    // Returns the job's id. An owner's job that has not started yet is replaced by the new one
    // (same id): the latest source is the one that runs.
    virtual std::string submit(JobSpec spec) = 0;
    // The new job's id, or nullopt while the owner has a job that has not ended: a second check
    // is refused rather than put in the first one's place.
    virtual std::optional<std::string> submit_alone(JobSpec spec) = 0;
    // The job's state, waiting up to `wait` for it to be done; nullopt when the owner has no
    // such job (unknown, someone else's, or forgotten long after it ended).
    virtual std::optional<JobStatus> status(const std::string& id, std::int64_t owner,
                                            std::chrono::milliseconds wait) = 0;
};

}  // namespace tavro::studio
