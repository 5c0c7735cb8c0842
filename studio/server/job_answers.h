// A job's answer as the request that made it would have answered: its body, and its status when
// that is not 200; a job still running answers 202 {"job","state"}.
#pragma once

#include "http_support.h"
#include "job_queue.h"

#include <optional>

namespace tavro::studio {

// A job's answer that is an error: {"error": message} with this status.
nlohmann::json job_error(int status, const std::string& message);

void answer_job(httplib::Response& response, const std::string& id, const std::optional<JobStatus>& status);

// Checks and references are queued apart from Runs, so that a Run never takes a check's place.
inline std::int64_t check_owner(std::int64_t user_id) { return -user_id; }

}  // namespace tavro::studio
