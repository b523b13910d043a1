#include "platform/sqlite/sqlite_connection.h"

#include <iterator>
#include <string>
#include <utility>

namespace quendral::base::sqlite {
namespace {

// The SQL of each TransactionStep, in its order.
constexpr const char* kTransactionSql[] = {
    "BEGIN",
    "BEGIN IMMEDIATE",
    "COMMIT",
    "ROLLBACK",
    "SAVEPOINT nested_write",
    "RELEASE nested_write",
    "ROLLBACK TO nested_write",
};
static_assert(std::size(kTransactionSql) == kTransactionSteps);

// SQLite counts every allocation under one process-wide lock unless told
// not to before its first use; nothing here reads the counts, and
// connections on several threads would wait on one another for each
// allocation. Too late once SQLite is in use (then it keeps counting).
void StopCountingMemoryOnce() {
  static const int configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  static_cast<void>(configured);
}

}  // namespace

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
  static const char kEmpty = 0;
  sqlite3_bind_blob64(statement_, index, length == 0 ? &kEmpty : data, length, SQLITE_STATIC);
}

void Statement::BindText(int index, std::string_view text) {
  static const char kEmpty = 0;
  sqlite3_bind_text64(statement_, index, text.empty() ? &kEmpty : text.data(), text.size(),
                      SQLITE_STATIC, SQLITE_UTF8);
}

void Statement::BindNull(int index) { sqlite3_bind_null(statement_, index); }

int Statement::Step() { return sqlite3_step(statement_); }

int Statement::Run() {
  int result = SQLITE_ROW;
  while (result == SQLITE_ROW) {
    result = Step();
  }
  Reset();
  return result;
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

int Connection::Open(const std::filesystem::path& file, bool create, Threading threading) {
  StopCountingMemoryOnce();
  const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) |
                    (threading == Threading::kOneAtATime ? SQLITE_OPEN_NOMUTEX : 0);
  // SQLite takes file names in UTF-8 on every system.
  const std::u8string name = file.u8string();
  threading_ = threading;
  int result =
      sqlite3_open_v2(reinterpret_cast<const char*>(name.c_str()), &database_, flags, nullptr);
  if (result != SQLITE_OK) {
    Close();
  }
  return result;
}

void Connection::SetBusyTimeout(int milliseconds) const {
  sqlite3_busy_timeout(database_, milliseconds);
}

int Connection::UseWriteAheadLog() const {
  // A crash mid-save leaves the log behind, never a half-written file, and
  // readers do not wait for writers.
  return Execute("PRAGMA journal_mode=WAL");
}

int Connection::Close() {
  // Never leaks the connection: with statements still alive it closes once
  // the last of them is finalized.
  transaction_steps_ = {};
  int result = sqlite3_close_v2(database_);
  database_ = nullptr;
  return result;
}

int Connection::Prepare(std::string_view sql, Statement* statement) const {
  *statement = Statement();
  return sqlite3_prepare_v3(database_, sql.data(), static_cast<int>(sql.size()),
                            SQLITE_PREPARE_PERSISTENT, statement->receive(), nullptr);
}

int Connection::Execute(const char* sql) const {
  return sqlite3_exec(database_, sql, nullptr, nullptr, nullptr);
}

int Connection::Run(TransactionStep step) const {
  const char* sql = kTransactionSql[static_cast<std::size_t>(step)];
  if (threading_ == Threading::kSerialized) {
    return Execute(sql);
  }
  Statement& statement = transaction_steps_[static_cast<std::size_t>(step)];
  if (statement.get() == nullptr) {
    if (int prepared = Prepare(sql, &statement); prepared != SQLITE_OK) {
      return prepared;
    }
  }
  const int result = statement.Run();
  return result == SQLITE_DONE ? SQLITE_OK : result;
}

std::int64_t Connection::LastInsertRowId() const { return sqlite3_last_insert_rowid(database_); }

int Connection::Changes() const { return sqlite3_changes(database_); }

WriteTransaction::~WriteTransaction() {
  if (open_ && nested_) {
    connection_.Run(TransactionStep::kRollbackToSavepoint);
    connection_.Run(TransactionStep::kRelease);
  } else if (open_) {
    connection_.Run(TransactionStep::kRollback);
  }
}

int WriteTransaction::Begin() {
  nested_ = sqlite3_get_autocommit(connection_.get()) == 0;
  const int result =
      connection_.Run(nested_ ? TransactionStep::kSavepoint : TransactionStep::kBeginImmediate);
  open_ = result == SQLITE_OK;
  return result;
}

int WriteTransaction::Commit() {
  const int result =
      connection_.Run(nested_ ? TransactionStep::kRelease : TransactionStep::kCommit);
  if (result == SQLITE_OK) {
    open_ = false;
  }
  return result;
}

}  // namespace quendral::base::sqlite
