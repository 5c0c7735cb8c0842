#include "clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace tavro::studio {

Millis system_millis()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string iso_time(Millis time)
{
    std::time_t seconds = static_cast<std::time_t>(time / 1000);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900, utc.tm_mon + 1,
                  utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, static_cast<int>(time % 1000));
    return text;
}

}  // namespace tavro::studio
