// Thin ownership wrappers over SQLite connections and statements, and the
// mapping of SQLite's result codes to Notes statuses.
#ifndef QUENDRAL_PLATFORM_NOTES_SQLITE_CONNECTION_H_
#define QUENDRAL_PLATFORM_NOTES_SQLITE_CONNECTION_H_

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/notes/status.h"

namespace quendral::platform::store {

// How long a connection waits for another process's write to finish before
// it reports kErrDatabaseBusy.
inline constexpr int kBusyTimeoutMilliseconds = 10000;

STATUS StatusOfSqlite(int result);

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

  // Binding by 1-based index; the bytes are copied only when SQLite must.
  void BindInt(int index, std::int64_t value);
  void BindBlob(int index, const void* data, std::size_t length);
  void BindText(int index, std::string_view text) { BindBlob(index, text.data(), text.size()); }
  void BindNull(int index);

  // SQLITE_ROW, SQLITE_DONE or an error code.
  int Step();
  // Runs the statement to its end; the status of the last step.
  STATUS Run();
  // Makes the statement ready for new bindings.
  void Reset();

  std::int64_t ColumnInt(int column) const;
  std::string ColumnText(int column) const;
  const std::uint8_t* ColumnBlob(int column) const;
  std::size_t ColumnBytes(int column) const;

 private:
  sqlite3_stmt* statement_ = nullptr;
};

class Connection {
 public:
  Connection() = default;
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Opens an existing file (create == false) or creates one, with the busy
  // timeout set. Opening writes nothing.
  STATUS Open(const std::filesystem::path& file, bool create);
  // Switches the file to write-ahead logging (a lasting setting of the file).
  STATUS UseWriteAheadLog() const;
  STATUS Close();

  sqlite3* get() const { return database_; }
  STATUS Prepare(std::string_view sql, Statement* statement) const;
  // Runs SQL text that returns no rows.
  STATUS Execute(const char* sql) const;
  std::int64_t LastInsertRowId() const;
  int Changes() const;

 private:
  sqlite3* database_ = nullptr;
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

  STATUS Begin();
  STATUS Commit();

 private:
  const Connection& connection_;
  bool open_ = false;
  bool nested_ = false;
};

}  // namespace quendral::platform::store

#endif  // QUENDRAL_PLATFORM_NOTES_SQLITE_CONNECTION_H_
