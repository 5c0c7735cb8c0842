// httplib's server with each connection bounded: what a request may send before its answer
// (its line, headers and body) is capped, so that a line without end or a body past the limit
// costs a bounded amount of memory, and a connection whose request was refused unread is closed
// rather than read on.
#pragma once

#include <httplib.h>

#include <cstddef>

namespace tavro::studio {

class BoundedServer : public httplib::Server {
public:
    // per_request: the bytes a request may send (line, headers and body together).
    explicit BoundedServer(std::size_t per_request) : per_request_(per_request) {}

    // Called from a handler: the connection ends after this answer, what is left of the
    // request unread.
    static void close_after_answer();

private:
    bool process_and_close_socket(socket_t sock) override;

    std::size_t per_request_;
};

}  // namespace tavro::studio
