// At most one unfinished check or references job per user: a second one while the first is
// queued or running is refused rather than put in its place.
#pragma once

#include "job_queue.h"

#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace tavro::studio {

class OneJobEach {
public:
    // The new job's id, or nullopt when the owner's last job has not ended.
    std::optional<std::string> submit(JobQueue& jobs, JobSpec spec);

private:
    std::mutex mutex_;
    std::map<std::int64_t, std::string> last_;
};

}  // namespace tavro::studio
