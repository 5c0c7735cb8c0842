#include "backup.h"
#include "sqlite_handle.h"

namespace tavro::studio {

void backup_database(const std::filesystem::path& database, const std::filesystem::path& copy)
{
    if (!std::filesystem::exists(database)) {
        throw StoreError("no database at " + database.string());
    }
    SqliteDatabase source(database, SQLITE_OPEN_READONLY);
    // All pages in one step: one read transaction, so that writes meanwhile do not restart it.
    // Written beside the destination and renamed, so that a copy that is there is whole.
    auto partial = copy;
    partial += ".partial";
    std::filesystem::remove(partial);
    {
        SqliteDatabase target(partial);
        sqlite3_backup* backup = sqlite3_backup_init(target.get(), "main", source.get(), "main");
        if (!backup) {
            target.fail("the backup");
        }
        int result;
        do {
            result = sqlite3_backup_step(backup, -1);
            if (result == SQLITE_BUSY || result == SQLITE_LOCKED) {
                sqlite3_sleep(50);
            }
        } while (result == SQLITE_OK || result == SQLITE_BUSY || result == SQLITE_LOCKED);
        sqlite3_backup_finish(backup);
        if (result != SQLITE_DONE) {
            target.fail("the backup");
        }
    }
    std::filesystem::rename(partial, copy);
}

}  // namespace tavro::studio
