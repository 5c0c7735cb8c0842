#include "sessions.h"
#include "secrets.h"

namespace tavro::studio {

namespace {

// A session's last use is written at most this often: a day's expiry needs no finer grain,
// and most requests then write nothing.
constexpr Millis touch_interval = 60 * 1000;

}  // namespace

std::string Sessions::start(std::int64_t user_id)
{
    Millis now = clock_();
    store_.remove_sessions_before(now - idle_limit);
    std::string token = new_token();
    store_.add_session(token_hash(token), user_id, now);
    return token;
}

std::optional<std::int64_t> Sessions::user_of(const std::string& token)
{
    if (token.empty()) {
        return std::nullopt;
    }
    std::string hash = token_hash(token);
    auto session = store_.session(hash);
    if (!session) {
        return std::nullopt;
    }
    Millis now = clock_();
    if (now - session->last_used >= idle_limit) {
        store_.remove_session(hash);
        return std::nullopt;
    }
    if (now - session->last_used >= touch_interval) {
        store_.touch_session(hash, now);
    }
    return session->user_id;
}

void Sessions::end(const std::string& token) { store_.remove_session(token_hash(token)); }

}  // namespace tavro::studio
