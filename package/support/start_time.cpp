#include "support/start_time.h"

namespace tavro {

std::optional<long long> parse_start_time(const std::string& option, const std::string& value, std::string& error)
{
    const std::size_t first_digit = !value.empty() && value[0] == '-' ? 1 : 0;
    const bool digits =
        value.size() > first_digit && value.find_first_not_of("0123456789", first_digit) == std::string::npos;
    if (!digits) {
        error = "option " + option + " takes a whole number, not '" + value + "'";
        return std::nullopt;
    }
    // Beyond 13 digits the value is out of range however it reads: no overflow to guard.
    const std::size_t significant = value.find_first_not_of('0', first_digit);
    const bool short_enough = significant == std::string::npos || value.size() - significant <= 13;
    const long long number = short_enough ? std::stoll(value) : 0;
    if (!short_enough || number < 0 || number > LATEST_START_TIME) {
        error = option + " must be 0 to " + std::to_string(LATEST_START_TIME) + " seconds, not " + value;
        return std::nullopt;
    }
    return number;
}

}  // namespace tavro
