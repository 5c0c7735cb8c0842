#include "bounded_server.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tavro::studio {

namespace {

// Each connection is served on one thread from start to end, so the flag can live there.
thread_local bool closing_after_answer = false;

constexpr int keep_alive_ms = 5000;
constexpr int read_write_ms = 5000;

bool ready(int socket, short events, int timeout_ms)
{
    pollfd watched{socket, events, 0};
    int result;
    do {
        result = poll(&watched, 1, timeout_ms);
    } while (result < 0 && errno == EINTR);
    return result > 0 && (watched.revents & (events | POLLHUP | POLLERR));
}

void address_of(int socket, bool peer, std::string& ip, int& port)
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    int failed = peer ? getpeername(socket, reinterpret_cast<sockaddr*>(&address), &length)
                      : getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
    if (failed) {
        return;
    }
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET) {
        auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
        inet_ntop(AF_INET, &v4->sin_addr, text, sizeof text);
        port = ntohs(v4->sin_port);
    } else if (address.ss_family == AF_INET6) {
        auto* v6 = reinterpret_cast<sockaddr_in6*>(&address);
        inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
        port = ntohs(v6->sin6_port);
    }
    ip = text;
}

// A socket read with time limits and at most `budget` bytes per request.
class BoundedStream : public httplib::Stream {
public:
    BoundedStream(int socket, std::size_t budget) : socket_(socket), left_(budget) {}

    bool is_readable() const override { return ready(socket_, POLLIN, read_write_ms); }
    bool is_writable() const override { return ready(socket_, POLLOUT, read_write_ms); }

    ssize_t read(char* data, size_t size) override
    {
        if (left_ == 0 || !is_readable()) {
            return -1;
        }
        ssize_t got = recv(socket_, data, std::min(size, left_), 0);
        if (got > 0) {
            left_ -= static_cast<std::size_t>(got);
        }
        return got;
    }

    ssize_t write(const char* data, size_t size) override
    {
        if (!is_writable()) {
            return -1;
        }
        return send(socket_, data, size, MSG_NOSIGNAL);
    }

    void get_remote_ip_and_port(std::string& ip, int& port) const override { address_of(socket_, true, ip, port); }
    void get_local_ip_and_port(std::string& ip, int& port) const override { address_of(socket_, false, ip, port); }
    socket_t socket() const override { return socket_; }

private:
    int socket_;
    std::size_t left_;
};

}  // namespace

void BoundedServer::close_after_answer() { closing_after_answer = true; }

bool BoundedServer::process_and_close_socket(socket_t sock)
{
    bool served = false;
    for (std::size_t count = keep_alive_max_count_; count > 0 && is_running(); --count) {
        if (!ready(sock, POLLIN, keep_alive_ms)) {
            break;
        }
        closing_after_answer = false;
        BoundedStream stream(sock, per_request_);
        bool connection_closed = false;
        served = process_request(stream, count == 1, connection_closed, nullptr);
        if (!served || connection_closed || closing_after_answer) {
            break;
        }
    }
    // The answer is sent; a little of what the client still sends is read so that closing
    // does not reset the connection before the client has read it.
    shutdown(sock, SHUT_WR);
    char discarded[4096];
    for (int reads = 0; reads < 16 && ready(sock, POLLIN, 100) && recv(sock, discarded, sizeof discarded, 0) > 0;
         ++reads) {
    }
    close(sock);
    return served;
}

}  // namespace tavro::studio
