// The shared database's schema as the list of steps that made it, step for step the single
// file's (the same version numbers mean the same tables), in PostgreSQL's words; a database at
// version N has run the first N.
#pragma once

#include <vector>

namespace tavro::studio {

const std::vector<const char*>& pg_migrations();

}  // namespace tavro::studio
