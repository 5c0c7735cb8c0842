#include "shared_login_limits.h"

namespace tavro::studio {

bool SharedLoginLimits::allowed(const std::string& name, const std::string& address)
{
    auto db = pool_.take();
    // Counts whose window has passed are no longer counts.
    auto over = db->query("SELECT 1 FROM sign_in_failures WHERE first > $1 AND"
                          " ((kind = 'name' AND key = $2 AND count >= $3) OR"
                          "  (kind = 'address' AND key = $4 AND count >= $5))",
                          {clock_() - rules_.window, PgValue::bytes(name), rules_.failures_per_name,
                           PgValue::bytes(address), rules_.failures_per_address});
    return over.empty();
}

void SharedLoginLimits::failed(const std::string& name, const std::string& address)
{
    auto db = pool_.take();
    const Millis now = clock_();
    db->query("DELETE FROM sign_in_failures WHERE first <= $1", {now - rules_.window});
    for (const auto& [kind, key] : {std::pair{"name", name}, std::pair{"address", address}}) {
        db->query("INSERT INTO sign_in_failures(kind, key, count, first) VALUES ($1, $2, 1, $3)"
                  " ON CONFLICT (kind, key) DO UPDATE SET count = sign_in_failures.count + 1",
                  {kind, PgValue::bytes(key), now});
    }
}

void SharedLoginLimits::succeeded(const std::string& name)
{
    auto db = pool_.take();
    db->query("DELETE FROM sign_in_failures WHERE kind = 'name' AND key = $1", {PgValue::bytes(name)});
}

}  // namespace tavro::studio
