#include "login_limits.h"

namespace tavro::studio {

namespace {

// Past this many remembered names or addresses, the ones whose window has passed are dropped.
constexpr std::size_t pruned_above = 10000;

}  // namespace

bool MemoryLoginLimits::under(std::map<std::string, Failures>& table, const std::string& key, int limit, Millis now)
{
    auto found = table.find(key);
    if (found == table.end()) {
        return true;
    }
    if (now - found->second.first >= rules_.window) {
        table.erase(found);
        return true;
    }
    return found->second.count < limit;
}

void MemoryLoginLimits::count(std::map<std::string, Failures>& table, const std::string& key, Millis now)
{
    if (table.size() > pruned_above) {
        for (auto entry = table.begin(); entry != table.end();) {
            entry = now - entry->second.first >= rules_.window ? table.erase(entry) : std::next(entry);
        }
    }
    auto& failures = table[key];
    if (failures.count == 0 || now - failures.first >= rules_.window) {
        failures = Failures{0, now};
    }
    ++failures.count;
}

bool MemoryLoginLimits::allowed(const std::string& name, const std::string& address)
{
    std::lock_guard lock(mutex_);
    Millis now = clock_();
    bool name_ok = under(by_name_, name, rules_.failures_per_name, now);
    bool address_ok = under(by_address_, address, rules_.failures_per_address, now);
    return name_ok && address_ok;
}

void MemoryLoginLimits::failed(const std::string& name, const std::string& address)
{
    std::lock_guard lock(mutex_);
    Millis now = clock_();
    count(by_name_, name, now);
    count(by_address_, address, now);
}

void MemoryLoginLimits::succeeded(const std::string& name)
{
    std::lock_guard lock(mutex_);
    by_name_.erase(name);
}

}  // namespace tavro::studio
