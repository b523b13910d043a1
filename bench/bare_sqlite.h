// The baseline the platform's saves are measured against: a bare SQLite
// program that reads one stored value and writes it back, changed in one
// byte, in one transaction.
#ifndef QUENDRAL_BENCH_BARE_SQLITE_H_
#define QUENDRAL_BENCH_BARE_SQLITE_H_

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace bench {

inline void CheckSqlite(int result, sqlite3* db) {
  if (result != SQLITE_OK && result != SQLITE_ROW && result != SQLITE_DONE) {
    std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
    std::abort();
  }
}

// Opens `file`, reads the largest item value, changes the byte at its middle
// to `marker`, writes it back and commits.
inline void BareSqliteRewrite(const std::filesystem::path& file, unsigned char marker) {
  sqlite3* db = nullptr;
  CheckSqlite(sqlite3_open_v2(file.string().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), db);
  CheckSqlite(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), db);
  sqlite3_stmt* select = nullptr;
  CheckSqlite(sqlite3_prepare_v2(db, "SELECT item_id, value FROM items ORDER BY length(value) DESC",
                                 -1, &select, nullptr),
              db);
  CheckSqlite(sqlite3_step(select), db);
  const sqlite3_int64 row = sqlite3_column_int64(select, 0);
  const auto* stored = static_cast<const unsigned char*>(sqlite3_column_blob(select, 1));
  std::vector<unsigned char> bytes(stored, stored + sqlite3_column_bytes(select, 1));
  sqlite3_finalize(select);
  bytes[bytes.size() / 2] = marker;
  sqlite3_stmt* update = nullptr;
  CheckSqlite(
      sqlite3_prepare_v2(db, "UPDATE items SET value = ? WHERE item_id = ?", -1, &update, nullptr),
      db);
  sqlite3_bind_blob(update, 1, bytes.data(), static_cast<int>(bytes.size()), SQLITE_STATIC);
  sqlite3_bind_int64(update, 2, row);
  CheckSqlite(sqlite3_step(update), db);
  sqlite3_finalize(update);
  CheckSqlite(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
  sqlite3_close(db);
}

}  // namespace bench

#endif  // QUENDRAL_BENCH_BARE_SQLITE_H_
