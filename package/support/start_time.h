// The start time of a reproducible run's clock: the render entry's --time, the page's time=.
#pragma once

#include <optional>
#include <string>

namespace tavro {

// The latest start time: the last second of the year 9999, so that the clock, which advances
// a tenth of a second per periodic event, stays far inside its 64 bits for any run.
constexpr long long LATEST_START_TIME = 253402300799;

// Reads value, whole seconds since 1970 from 0 to LATEST_START_TIME (digits only, no sign but a
// minus, no spaces). On a problem returns nothing and sets error to one line naming option and value.
std::optional<long long> parse_start_time(const std::string& option, const std::string& value, std::string& error);

}  // namespace tavro
