// Thin ownership wrappers over SQLite connections and statements. They
// return SQLite's result codes (SQLITE_OK, SQLITE_ROW, SQLITE_DONE or an
// error); each store maps them to errors of its own.
#ifndef QUENDRAL_PLATFORM_SQLITE_SQLITE_CONNECTION_H_
#define QUENDRAL_PLATFORM_SQLITE_SQLITE_CONNECTION_H_

#include <sqlite3.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quendral::base::sqlite {

class Statement {
 public:
  Statement() = default;
  ~Statement();
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&& other) noexcept;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  sqlite3_stmt* get() const { return statement_; }
  sqlite3_stmt** receive() { return &statement_; }

  // Binding by 1-based index. The bytes are not copied: they must stay as
  // they are until the statement is reset or bound again.
  void BindInt(int index, std::int64_t value);
  // A zero-length blob still binds as a blob, not as NULL.
  void BindBlob(int index, const void* data, std::size_t length);
  void BindBlob(int index, std::string_view bytes) { BindBlob(index, bytes.data(), bytes.size()); }
  // Text, compared by the column's collation.
  void BindText(int index, std::string_view text);
  void BindNull(int index);

  // SQLITE_ROW, SQLITE_DONE or an error code.
  int Step();
  // Runs the statement to its end and resets it; the result of the last step.
  int Run();
  // Makes the statement ready for new bindings.
  void Reset();

  std::int64_t ColumnInt(int column) const;
  std::string ColumnText(int column) const;
  const std::uint8_t* ColumnBlob(int column) const;
  std::size_t ColumnBytes(int column) const;

 private:
  sqlite3_stmt* statement_ = nullptr;
};

// Who may use a connection: one thread at a time (the caller serialises its
// use, and SQLite takes no lock of its own), or any thread at any time.
enum class Threading { kOneAtATime, kSerialized };

// The statements that begin and end transactions and savepoints.
enum class TransactionStep {
  kBegin,
  kBeginImmediate,
  kCommit,
  kRollback,
  kSavepoint,
  kRelease,
  kRollbackToSavepoint,
};
inline constexpr std::size_t kTransactionSteps = 7;

class Connection {
 public:
  Connection() = default;
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Opens an existing file (create == false) or creates one. Opening writes
  // nothing.
  int Open(const std::filesystem::path& file, bool create,
           Threading threading = Threading::kOneAtATime);
  // How long statements wait for another connection's write to finish
  // before they fail with SQLITE_BUSY.
  void SetBusyTimeout(int milliseconds) const;
  // Switches the file to write-ahead logging (a lasting setting of the file).
  int UseWriteAheadLog() const;
  int Close();

  sqlite3* get() const { return database_; }
  int Prepare(std::string_view sql, Statement* statement) const;
  // Runs SQL text that returns no rows.
  int Execute(const char* sql) const;
  // Runs one transaction step; SQLITE_OK or an error code. A connection used
  // by one thread at a time prepares each step once and keeps it: a save
  // runs several, and compiling one costs more than running it. A shared
  // connection compiles each afresh, so that no two threads step the same
  // statement.
  int Run(TransactionStep step) const;
  std::int64_t LastInsertRowId() const;
  int Changes() const;

 private:
  sqlite3* database_ = nullptr;
  Threading threading_ = Threading::kOneAtATime;
  mutable std::array<Statement, kTransactionSteps> transaction_steps_;
};

// A write transaction, rolled back unless committed. It takes the write lock
// at once, so two writers wait for each other at the start instead of
// failing at the end. Begun inside a transaction already open on the
// connection, it is a savepoint of it: rolling it back leaves the rest of
// the outer transaction standing.
class WriteTransaction {
 public:
  explicit WriteTransaction(const Connection& connection) : connection_(connection) {}
  ~WriteTransaction();
  WriteTransaction(const WriteTransaction&) = delete;
  WriteTransaction& operator=(const WriteTransaction&) = delete;

  int Begin();
  int Commit();

 private:
  const Connection& connection_;
  bool open_ = false;
  bool nested_ = false;
};

}  // namespace quendral::base::sqlite

#endif  // QUENDRAL_PLATFORM_SQLITE_SQLITE_CONNECTION_H_
