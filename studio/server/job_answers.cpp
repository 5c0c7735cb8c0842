#include "job_answers.h"

namespace tavro::studio {

namespace {

constexpr const char* status_key = "http_status";

const char* state_name(JobStatus::State state)
{
    return state == JobStatus::State::queued ? "queued" : state == JobStatus::State::running ? "running" : "done";
}

}  // namespace

nlohmann::json job_error(int status, const std::string& message) { return {{"error", message}, {status_key, status}}; }

void answer_job(httplib::Response& response, const std::string& id, const std::optional<JobStatus>& status)
{
    if (!status) {
        throw HttpError(404, "no such job");
    }
    if (status->state != JobStatus::State::done) {
        answer_json(response, {{"job", id}, {"state", state_name(status->state)}}, 202);
        return;
    }
    nlohmann::json body = status->answer;
    int code = 200;
    if (auto found = body.find(status_key); found != body.end() && found->is_number_integer()) {
        code = found->get<int>();
        body.erase(found);
    }
    answer_json(response, body, code);
}

}  // namespace tavro::studio
