// Finding the database files below a directory.
#ifndef QUENDRAL_PLATFORM_NOTES_STORE_DATABASE_SCAN_H_
#define QUENDRAL_PLATFORM_NOTES_STORE_DATABASE_SCAN_H_

#include <filesystem>
#include <functional>

#include "platform/notes/store/store.h"
#include "platform/notes/vocabulary/status.h"

namespace quendral::platform::store {

// True when the file starts like a SQLite database, so that scans do not
// hand every other file to SQLite.
bool LooksLikeDatabase(const std::filesystem::path& file);

// Opens each database file below `directory` (symbolic links not followed,
// unreadable folders and files that are not our databases skipped) and
// calls `visit` with its path and the open store, in path order.
// kErrDatabaseNotFound when `directory` is not a directory.
STATUS ScanDatabases(const std::filesystem::path& directory,
                     const std::function<void(const std::filesystem::path&, Store&)>& visit);

}  // namespace quendral::platform::store

#endif  // QUENDRAL_PLATFORM_NOTES_STORE_DATABASE_SCAN_H_
