// Signed-in sessions: a random token in the browser's cookie, only its hash in the store; a
// session ends after a day without a request.
#pragma once

#include "clock.h"
#include "store.h"

#include <optional>
#include <string>

namespace tavro::studio {

class Sessions {
public:
    static constexpr Millis idle_limit = 24 * 60 * 60 * 1000;

    Sessions(Store& store, Clock clock) : store_(store), clock_(std::move(clock)) {}

    // The new session's token, for the cookie.
    std::string start(std::int64_t user_id);
    // The signed-in user, when the token names a live session.
    std::optional<std::int64_t> user_of(const std::string& token);
    void end(const std::string& token);

private:
    Store& store_;
    Clock clock_;
};

}  // namespace tavro::studio
