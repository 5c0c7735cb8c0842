// The studio's time, injectable so that tests can move it (session expiry, sign-in limits).
#pragma once

#include "store.h"

#include <functional>
#include <string>

namespace tavro::studio {

using Clock = std::function<Millis()>;

Millis system_millis();
// "2026-05-01T12:00:00.123Z"
std::string iso_time(Millis time);

}  // namespace tavro::studio
