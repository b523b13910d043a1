#include "platform/notes/store/store_connection.h"

namespace quendral::platform::store {

STATUS StatusOfSqlite(int result) {
  switch (result & 0xFF) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
      return kNoError;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return kErrDatabaseBusy;
    case SQLITE_NOMEM:
      return kErrOutOfMemory;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_SCHEMA:
      return kErrDatabaseDamaged;
    case SQLITE_CANTOPEN:
      return kErrDatabaseNotFound;
    case SQLITE_FULL:
      return kErrDiskFull;
    default:
      return kErrStorageFailure;
  }
}

STATUS OpenConnection(const std::filesystem::path& file, bool create, Connection* connection) {
  const int result = connection->Open(file, create);
  if (result == SQLITE_OK) {
    connection->SetBusyTimeout(kBusyTimeoutMilliseconds);
  }
  return StatusOfSqlite(result);
}

}  // namespace quendral::platform::store
