// The studio's HTTP server: the routes over a Studio, the checks every request passes first
// (its Origin, its body's size), and one log line on standard error per failed request.
#pragma once

#include "studio.h"

#include <httplib.h>

#include <ostream>
#include <string>

namespace tavro::studio {

class StudioServer {
public:
    StudioServer(Store& store, JobQueue& jobs, const PageBuilder& builder, Clock clock, ServerOptions options,
                 std::ostream& log);

    // The port bound (port 0: any free one); throws when the address cannot be bound.
    int bind(const std::string& host, int port);
    // Serves until stop(); returns false when it could not.
    bool serve();
    void stop();

private:
    httplib::Server::HandlerResponse check_first(const httplib::Request& request, httplib::Response& response);
    void log_failure(const httplib::Request& request, const httplib::Response& response);

    Studio studio_;
    std::ostream& log_;
    std::mutex log_mutex_;
    httplib::Server http_;
};

}  // namespace tavro::studio
