// What the routes share: the store, the queue, the builders, sessions and sign-in limits.
#pragma once

#include "check_build.h"
#include "clock.h"
#include "http_support.h"
#include "job_queue.h"
#include "login_limits.h"
#include "page_build.h"
#include "sessions.h"
#include "store.h"

#include <chrono>
#include <filesystem>
#include <memory>

namespace tavro::studio {

struct ServerOptions {
    std::filesystem::path codemirror = "/usr/share/javascript/codemirror";
    // How long POST /api/run and GET /api/jobs/ID wait for a job before answering 202.
    std::chrono::milliseconds run_wait{4000};
    std::size_t max_body = 1 << 20;
    std::size_t max_source = 256 * 1024;
    unsigned threads = 48;
    LoginLimitRules login_limits;
    // Counted where every server sees them (the shared database); unset: in this server's memory.
    std::shared_ptr<LoginLimits> shared_login_limits;
};

struct Studio {
    Studio(Store& store, JobQueue& jobs, const PageBuilder& builder, Clock clock, ServerOptions options)
        : store(store), jobs(jobs), builder(builder), clock(clock), sessions(store, clock),
          login_limits(options.shared_login_limits ? options.shared_login_limits
                                                   : std::make_shared<MemoryLoginLimits>(clock, options.login_limits)),
          options(std::move(options))
    {
    }

    // The signed-in user, or 401.
    User user(const httplib::Request& request);
    User teacher(const httplib::Request& request);

    Store& store;
    JobQueue& jobs;
    const PageBuilder& builder;
    Clock clock;
    Sessions sessions;
    std::shared_ptr<LoginLimits> login_limits;
    ServerOptions options;
};

// Each route wrapped so that an exception ends its request with one line, never the server.
httplib::Server::Handler guarded(std::function<void(const httplib::Request&, httplib::Response&)> handler);

// A route's function(studio, request, response), guarded.
template <typename Function>
httplib::Server::Handler guarded_route(Studio& studio, Function function)
{
    return guarded([&studio, function](const httplib::Request& request, httplib::Response& response) {
        function(studio, request, response);
    });
}

void add_account_routes(httplib::Server& server, Studio& studio);
void add_file_routes(httplib::Server& server, Studio& studio);
void add_run_routes(httplib::Server& server, Studio& studio);
void add_exercise_routes(httplib::Server& server, Studio& studio);
void add_static_routes(httplib::Server& server, Studio& studio);

}  // namespace tavro::studio
