// A consistent copy of a live database, through SQLite's online backup: the server goes on
// writing while it runs.
#pragma once

#include <filesystem>

namespace tavro::studio {

void backup_database(const std::filesystem::path& database, const std::filesystem::path& copy);

}  // namespace tavro::studio
