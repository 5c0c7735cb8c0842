#include "page_jobs.h"
#include "secrets.h"

namespace tavro::studio {

std::string page_id(const std::string& key) { return token_hash(key); }

nlohmann::json built_answer(const std::string& id) { return {{"status", "built"}, {"page", "/run/" + id}}; }

nlohmann::json run_page_job(const JobSpec& job, const PageBuilder& builder, Store& store, Millis now)
{
    std::string key = builder.key(job.source);
    if (auto id = store.page_id_for_key(key)) {
        return built_answer(*id);
    }
    PageBuild build = builder.build(job.source, job.file_name);
    switch (build.outcome) {
    case PageBuild::Outcome::built: {
        std::string id = page_id(key);
        store.put_page(key, id, build.page, now);
        return built_answer(id);
    }
    case PageBuild::Outcome::diagnostics: {
        auto diagnostics = nlohmann::json::array();
        for (const auto& diagnostic : build.diagnostics) {
            diagnostics.push_back(
                {{"line", diagnostic.line}, {"column", diagnostic.column}, {"message", diagnostic.message}});
        }
        return {{"status", "error"}, {"diagnostics", diagnostics}};
    }
    case PageBuild::Outcome::failed:
        break;
    }
    return {{"status", "failed"}, {"reason", build.reason}};
}

}  // namespace tavro::studio
