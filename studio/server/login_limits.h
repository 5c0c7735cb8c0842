// Sign-in attempts limited per name and per address: after too many failures within a window,
// further attempts are refused (429) until the window has passed, whatever the password.
#pragma once

#include "clock.h"

#include <map>
#include <mutex>
#include <string>

namespace tavro::studio {

struct LoginLimitRules {
    int failures_per_name = 5;
    // A school's browsers often share one address behind its router.
    int failures_per_address = 50;
    Millis window = 15 * 60 * 1000;
};

class LoginLimits {
public:
    virtual ~LoginLimits() = default;
    virtual bool allowed(const std::string& name, const std::string& address) = 0;
    virtual void failed(const std::string& name, const std::string& address) = 0;
    virtual void succeeded(const std::string& name) = 0;
};

// One server's count, in memory.
class MemoryLoginLimits : public LoginLimits {
public:
    MemoryLoginLimits(Clock clock, LoginLimitRules rules = {}) : clock_(std::move(clock)), rules_(rules) {}

    bool allowed(const std::string& name, const std::string& address) override;
    void failed(const std::string& name, const std::string& address) override;
    void succeeded(const std::string& name) override;

private:
    struct Failures {
        int count = 0;
        Millis first = 0;
    };
    bool under(std::map<std::string, Failures>& table, const std::string& key, int limit, Millis now);
    void count(std::map<std::string, Failures>& table, const std::string& key, Millis now);

    Clock clock_;
    LoginLimitRules rules_;
    std::mutex mutex_;
    std::map<std::string, Failures> by_name_;
    std::map<std::string, Failures> by_address_;
};

}  // namespace tavro::studio
