// Run: a page from the cache at once, else a job waited for a few seconds, then 202 and
// GET /api/jobs/ID. The page itself at /run/ID, sandboxed.
#include "job_answers.h"
#include "page_jobs.h"
#include "studio.h"

namespace tavro::studio {

namespace {

void run(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    auto body = read_object(request, {{"source", FieldType::string}, {"name", FieldType::string, false}});
    User user = studio.user(request);
    std::string source = body["source"];
    std::string name = body.value("name", "main.cpp");
    check_name(name, "file's name");
    if (source.size() > studio.options.max_source) {
        throw HttpError(413, "the source is larger than " + std::to_string(studio.options.max_source / 1024) + " KiB");
    }
    if (auto id = studio.store.page_id_for_key(studio.builder.key(source))) {
        answer_json(response, built_answer(*id));
        return;
    }
    std::string job = studio.jobs.submit(JobSpec{user.id, "page", std::move(source), std::move(name), {}});
    answer_job(response, job, studio.jobs.status(job, user.id, studio.options.run_wait));
}

void job_status(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    User user = studio.user(request);
    std::string id = request.matches[1];
    auto status = studio.jobs.status(id, user.id, studio.options.run_wait);
    if (!status) {
        status = studio.jobs.status(id, check_owner(user.id), studio.options.run_wait);
    }
    answer_job(response, id, status);
}

void page(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    auto html = studio.store.page_by_id(request.matches[1]);
    if (!html) {
        throw HttpError(404, "no such page");
    }
    // An opaque origin even when opened on its own: no cookie, no API as the viewer.
    response.set_header("Content-Security-Policy", "sandbox allow-scripts");
    response.set_header("Cache-Control", "private, max-age=86400");
    response.set_content(*html, "text/html; charset=utf-8");
}

}  // namespace

void add_run_routes(httplib::Server& server, Studio& studio)
{
    server.Post("/api/run", guarded_route(studio, run));
    server.Get(R"(/api/jobs/([0-9a-f]{1,64}))", guarded_route(studio, job_status));
    server.Get(R"(/run/([0-9a-f]{64}))", guarded_route(studio, page));
}

}  // namespace tavro::studio
