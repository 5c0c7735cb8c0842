#include "studio_server.h"

namespace tavro::studio {

namespace {

// A request's line and headers may take this much beside its body.
constexpr std::size_t max_head = 64 * 1024;

bool changes_something(const std::string& method)
{
    return method == "POST" || method == "PUT" || method == "DELETE" || method == "PATCH";
}

// The Origin a browser sends from the studio's own pages names the host it asked for, over
// http or, behind a proxy that ends TLS, https.
bool own_origin(const std::string& origin, const std::string& host)
{
    return !host.empty() && (origin == "http://" + host || origin == "https://" + host);
}

// Whatever a client put in the path is written as printable ASCII, so that it cannot forge lines.
std::string printable(const std::string& text)
{
    std::string shown;
    for (unsigned char byte : text.substr(0, 200)) {
        if (byte < 0x20 || byte >= 0x7f || byte == '\\') {
            static const char digits[] = "0123456789abcdef";
            shown += "\\x";
            shown += digits[byte >> 4];
            shown += digits[byte & 15];
        } else {
            shown += static_cast<char>(byte);
        }
    }
    return shown;
}

// The words for what the HTTP layer refuses before any route sees the request.
std::string standard_reason(int status)
{
    switch (status) {
    case 400:
        return "the request is malformed";
    case 404:
        return "no such page";
    case 405:
        return "this method is not allowed here";
    case 413:
        return "the body is too large";
    case 414:
        return "the address is too long";
    case 431:
        return "the headers are too large";
    default:
        return "the request failed with status " + std::to_string(status);
    }
}

std::string reason_of(const httplib::Response& response)
{
    auto body = nlohmann::json::parse(response.body, nullptr, false);
    if (body.is_object() && body.contains("error") && body["error"].is_string()) {
        return body["error"];
    }
    return standard_reason(response.status);
}

}  // namespace

StudioServer::StudioServer(Store& store, JobQueue& jobs, const PageBuilder& builder, Clock clock, ServerOptions options,
                           std::ostream& log)
    : studio_(store, jobs, builder, std::move(clock), std::move(options)), log_(log),
      http_(studio_.options.max_body + max_head)
{
    unsigned threads = studio_.options.threads;
    // Runs wait for their jobs on a thread each: enough threads that saves never queue behind them.
    http_.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    http_.set_payload_max_length(studio_.options.max_body);
    http_.set_default_headers({{"X-Content-Type-Options", "nosniff"}, {"Referrer-Policy", "no-referrer"}});
    http_.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
        return check_first(request, response);
    });
    http_.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.body.empty()) {
            answer_error(response, response.status, standard_reason(response.status));
        }
    });
    http_.set_logger([this](const httplib::Request& request, const httplib::Response& response) {
        if (response.status >= 400) {
            log_failure(request, response);
        }
    });
    add_account_routes(http_, studio_);
    add_file_routes(http_, studio_);
    add_run_routes(http_, studio_);
    add_exercise_routes(http_, studio_);
    add_static_routes(http_, studio_);
}

httplib::Server::HandlerResponse StudioServer::check_first(const httplib::Request& request, httplib::Response& response)
{
    auto refuse = [&](int status, const std::string& message) {
        answer_error(response, status, message);
        // What the client sends after these headers is not read: the connection ends.
        response.set_header("Connection", "close");
        BoundedServer::close_after_answer();
        return httplib::Server::HandlerResponse::Handled;
    };
    if (changes_something(request.method) && request.has_header("Origin") &&
        !own_origin(request.get_header_value("Origin"), request.get_header_value("Host"))) {
        return refuse(403, "this request comes from another site");
    }
    if (request.has_header("Transfer-Encoding")) {
        return refuse(411, "a body needs a Content-Length");
    }
    auto length = request.get_header_value("Content-Length");
    if (!length.empty() && (length.size() > 18 || length.find_first_not_of("0123456789") != std::string::npos ||
                            std::stoull(length) > studio_.options.max_body)) {
        return refuse(413, "the body is larger than " + std::to_string(studio_.options.max_body >> 10) + " KiB");
    }
    return httplib::Server::HandlerResponse::Unhandled;
}

void StudioServer::log_failure(const httplib::Request& request, const httplib::Response& response)
{
    std::string line = iso_time(system_millis()) + " " + printable(request.method) + " " + printable(request.path) +
                       " " + std::to_string(response.status) + " " + printable(reason_of(response)) + "\n";
    std::lock_guard lock(log_mutex_);
    log_ << line << std::flush;
}

int StudioServer::bind(const std::string& host, int port)
{
    int bound = port == 0 ? http_.bind_to_any_port(host) : (http_.bind_to_port(host, port) ? port : -1);
    if (bound < 0) {
        throw std::runtime_error("cannot listen on " + host + ":" + std::to_string(port));
    }
    return bound;
}

bool StudioServer::serve() { return http_.listen_after_bind(); }

void StudioServer::stop() { http_.stop(); }

}  // namespace tavro::studio
