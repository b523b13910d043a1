// The store's SQLite connection: the base wrappers, opened the store's way,
// and SQLite's result codes as Notes statuses.
#ifndef QUENDRAL_PLATFORM_NOTES_STORE_STORE_CONNECTION_H_
#define QUENDRAL_PLATFORM_NOTES_STORE_STORE_CONNECTION_H_

#include <filesystem>

#include "platform/notes/vocabulary/status.h"
#include "platform/sqlite/sqlite_connection.h"

namespace quendral::platform::store {

using base::sqlite::Connection;
using base::sqlite::Statement;
using base::sqlite::WriteTransaction;

// How long a connection waits for another process's write to finish before
// it reports kErrDatabaseBusy.
inline constexpr int kBusyTimeoutMilliseconds = 10000;

STATUS StatusOfSqlite(int result);

// Opens an existing file (create == false) or creates one, with the busy
// timeout set and the failing disk armed when the environment asks for it.
STATUS OpenConnection(const std::filesystem::path& file, bool create, Connection* connection);

}  // namespace quendral::platform::store

#endif  // QUENDRAL_PLATFORM_NOTES_STORE_STORE_CONNECTION_H_
