#include "platform/notes/sqlite_connection.h"

#include <string>
#include <utility>

#include "platform/notes/failing_disk.h"

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

Statement::~Statement() { sqlite3_finalize(statement_); }

Statement::Statement(Statement&& other) noexcept
    : statement_(std::exchange(other.statement_, nullptr)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
  if (this != &other) {
    sqlite3_finalize(statement_);
    statement_ = std::exchange(other.statement_, nullptr);
  }
  return *this;
}

void Statement::BindInt(int index, std::int64_t value) {
  sqlite3_bind_int64(statement_, index, value);
}

void Statement::BindBlob(int index, const void* data, std::size_t length) {
  // A zero-length blob must still bind as a blob, not as NULL.
  static const char kEmpty = 0;
  sqlite3_bind_blob64(statement_, index, length == 0 ? &kEmpty : data, length, SQLITE_STATIC);
}

void Statement::BindNull(int index) { sqlite3_bind_null(statement_, index); }

int Statement::Step() { return sqlite3_step(statement_); }

STATUS Statement::Run() {
  int result = SQLITE_ROW;
  while (result == SQLITE_ROW) {
    result = Step();
  }
  Reset();
  return StatusOfSqlite(result);
}

void Statement::Reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

std::int64_t Statement::ColumnInt(int column) const {
  return sqlite3_column_int64(statement_, column);
}

std::string Statement::ColumnText(int column) const {
  const std::uint8_t* bytes = ColumnBlob(column);
  return bytes == nullptr ? std::string()
                          : std::string(reinterpret_cast<const char*>(bytes), ColumnBytes(column));
}

const std::uint8_t* Statement::ColumnBlob(int column) const {
  return static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_, column));
}

std::size_t Statement::ColumnBytes(int column) const {
  return static_cast<std::size_t>(sqlite3_column_bytes(statement_, column));
}

Connection::~Connection() { Close(); }

STATUS Connection::Open(const std::filesystem::path& file, bool create) {
  ArmFaultFromEnvironment();
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
  // SQLite takes file names in UTF-8 on every system.
  const std::u8string name = file.u8string();
  int result =
      sqlite3_open_v2(reinterpret_cast<const char*>(name.c_str()), &database_, flags, nullptr);
  if (result != SQLITE_OK) {
    Close();
    return StatusOfSqlite(result);
  }
  sqlite3_busy_timeout(database_, kBusyTimeoutMilliseconds);
  return kNoError;
}

STATUS Connection::UseWriteAheadLog() const {
  // A crash mid-save leaves the log behind, never a half-written file, and
  // readers do not wait for writers.
  return Execute("PRAGMA journal_mode=WAL");
}

STATUS Connection::Close() {
  // Never leaks the connection: with statements still alive it closes once
  // the last of them is finalized.
  int result = sqlite3_close_v2(database_);
  database_ = nullptr;
  return StatusOfSqlite(result);
}

STATUS Connection::Prepare(std::string_view sql, Statement* statement) const {
  *statement = Statement();
  int result = sqlite3_prepare_v3(database_, sql.data(), static_cast<int>(sql.size()),
                                  SQLITE_PREPARE_PERSISTENT, statement->receive(), nullptr);
  return StatusOfSqlite(result);
}

STATUS Connection::Execute(const char* sql) const {
  return StatusOfSqlite(sqlite3_exec(database_, sql, nullptr, nullptr, nullptr));
}

std::int64_t Connection::LastInsertRowId() const { return sqlite3_last_insert_rowid(database_); }

int Connection::Changes() const { return sqlite3_changes(database_); }

WriteTransaction::~WriteTransaction() {
  if (open_ && nested_) {
    connection_.Execute("ROLLBACK TO nested_write");
    connection_.Execute("RELEASE nested_write");
  } else if (open_) {
    connection_.Execute("ROLLBACK");
  }
}

STATUS WriteTransaction::Begin() {
  nested_ = sqlite3_get_autocommit(connection_.get()) == 0;
  STATUS status = connection_.Execute(nested_ ? "SAVEPOINT nested_write" : "BEGIN IMMEDIATE");
  open_ = status == kNoError;
  return status;
}

STATUS WriteTransaction::Commit() {
  STATUS status = connection_.Execute(nested_ ? "RELEASE nested_write" : "COMMIT");
  if (status == kNoError) {
    open_ = false;
  }
  return status;
}

}  // namespace quendral::platform::store
