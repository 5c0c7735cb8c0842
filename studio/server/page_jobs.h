// A Run's job: the page built once per key for the whole studio, kept in the store.
#pragma once

#include "job_queue.h"
#include "page_build.h"
#include "store.h"

#include <nlohmann/json.hpp>

namespace tavro::studio {

// What /run/ID names for a builder's key: a hash, so that any key makes a safe path.
std::string page_id(const std::string& key);

nlohmann::json built_answer(const std::string& id);

// Builds the job's source and answers as POST /api/run does.
nlohmann::json run_page_job(const JobSpec& job, const PageBuilder& builder, Store& store, Millis now);

}  // namespace tavro::studio
