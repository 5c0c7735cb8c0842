// Sign-in failures counted in the shared database, so that a guesser spread over several
// servers meets one limit: the same rules as one server's count in memory.
#pragma once

#include "login_limits.h"
#include "pg_handle.h"

namespace tavro::studio {

class SharedLoginLimits : public LoginLimits {
public:
    SharedLoginLimits(PgPool& pool, Clock clock, LoginLimitRules rules = {})
        : pool_(pool), clock_(std::move(clock)), rules_(rules)
    {
    }

    bool allowed(const std::string& name, const std::string& address) override;
    void failed(const std::string& name, const std::string& address) override;
    void succeeded(const std::string& name) override;

private:
    PgPool& pool_;
    Clock clock_;
    LoginLimitRules rules_;
};

}  // namespace tavro::studio
