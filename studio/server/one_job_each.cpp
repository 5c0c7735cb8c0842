#include "one_job_each.h"

namespace tavro::studio {

std::optional<std::string> OneJobEach::submit(JobQueue& jobs, JobSpec spec)
{
    std::lock_guard lock(mutex_);
    const std::int64_t owner = spec.owner;
    if (auto last = last_.find(owner); last != last_.end()) {
        auto status = jobs.status(last->second, owner, std::chrono::milliseconds(0));
        if (status && status->state != JobStatus::State::done) {
            return std::nullopt;
        }
    }
    std::string id = jobs.submit(std::move(spec));
    last_[owner] = id;
    return id;
}

}  // namespace tavro::studio
