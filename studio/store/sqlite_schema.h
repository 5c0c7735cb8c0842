// The single-file database's schema as the list of steps that made it: a database at version N
// has run the first N; opening it runs the rest, each in its own transaction.
#pragma once

#include <vector>

namespace tavro::studio {

const std::vector<const char*>& sqlite_migrations();

}  // namespace tavro::studio
