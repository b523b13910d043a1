// The baselines the platform's saves are measured against: bare SQLite
// programs that read stored values and write them back, changed in one byte.
#ifndef QUENDRAL_BENCH_BARE_SQLITE_H_
#define QUENDRAL_BENCH_BARE_SQLITE_H_

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <vector>

namespace quendral::bench {

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

// A whole-database run without the platform: the documents a page of
// `kBatchGroupSize` at a time in note ID order, in one transaction per page;
// every item row of each is read, the one named `changed_item` is written
// back with one byte changed (after a copy of it was inserted as a new row,
// with `backup`), and the note's sequence is counted up.
inline constexpr int kBatchGroupSize = 250;

inline void BareSqliteBatch(const std::filesystem::path& file, const char* changed_item,
                            bool backup) {
  sqlite3* db = nullptr;
  CheckSqlite(sqlite3_open_v2(file.string().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), db);
  sqlite3_stmt *page = nullptr, *items = nullptr, *update = nullptr, *insert = nullptr,
               *note = nullptr;
  CheckSqlite(sqlite3_prepare_v2(db,
                                 "SELECT note_id FROM notes WHERE note_class = 0 AND note_id > ? "
                                 "ORDER BY note_id LIMIT ?",
                                 -1, &page, nullptr),
              db);
  CheckSqlite(sqlite3_prepare_v2(db,
                                 "SELECT item_id, name, type, flags, value FROM items "
                                 "WHERE note_id = ? ORDER BY position",
                                 -1, &items, nullptr),
              db);
  CheckSqlite(
      sqlite3_prepare_v2(db, "UPDATE items SET value = ? WHERE item_id = ?", -1, &update, nullptr),
      db);
  CheckSqlite(sqlite3_prepare_v2(db,
                                 "INSERT INTO items (note_id, position, name, type, flags, value) "
                                 "VALUES (?, 1000, 'backup', 7, 8, ?)",
                                 -1, &insert, nullptr),
              db);
  CheckSqlite(sqlite3_prepare_v2(db, "UPDATE notes SET sequence = sequence + 1 WHERE note_id = ?",
                                 -1, &note, nullptr),
              db);
  sqlite3_int64 after = 0;
  for (;;) {
    std::vector<sqlite3_int64> notes;
    sqlite3_bind_int64(page, 1, after);
    sqlite3_bind_int(page, 2, kBatchGroupSize);
    while (sqlite3_step(page) == SQLITE_ROW) {
      notes.push_back(sqlite3_column_int64(page, 0));
    }
    sqlite3_reset(page);
    if (notes.empty()) {
      break;
    }
    after = notes.back();
    CheckSqlite(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), db);
    for (sqlite3_int64 id : notes) {
      sqlite3_bind_int64(items, 1, id);
      while (sqlite3_step(items) == SQLITE_ROW) {
        const char* name = reinterpret_cast<const char*>(sqlite3_column_text(items, 1));
        const auto* stored = static_cast<const unsigned char*>(sqlite3_column_blob(items, 4));
        std::vector<unsigned char> bytes(stored, stored + sqlite3_column_bytes(items, 4));
        if (std::string_view(name) != changed_item) {
          continue;
        }
        if (backup) {
          sqlite3_bind_int64(insert, 1, id);
          sqlite3_bind_blob(insert, 2, bytes.data(), static_cast<int>(bytes.size()),
                            SQLITE_TRANSIENT);
          CheckSqlite(sqlite3_step(insert), db);
          sqlite3_reset(insert);
        }
        bytes[bytes.size() / 2] ^= 1;
        sqlite3_bind_blob(update, 1, bytes.data(), static_cast<int>(bytes.size()),
                          SQLITE_TRANSIENT);
        sqlite3_bind_int64(update, 2, sqlite3_column_int64(items, 0));
        CheckSqlite(sqlite3_step(update), db);
        sqlite3_reset(update);
      }
      sqlite3_reset(items);
      sqlite3_bind_int64(note, 1, id);
      CheckSqlite(sqlite3_step(note), db);
      sqlite3_reset(note);
    }
    CheckSqlite(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
  }
  for (sqlite3_stmt* statement : {page, items, update, insert, note}) {
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
}

// Reads every item row of the file, a page of documents at a time as above;
// returns a sum over the bytes read so that the reading cannot be left out.
inline std::size_t BareSqliteReadAll(const std::filesystem::path& file) {
  sqlite3* db = nullptr;
  CheckSqlite(sqlite3_open_v2(file.string().c_str(), &db, SQLITE_OPEN_READONLY, nullptr), db);
  sqlite3_stmt* rows = nullptr;
  CheckSqlite(sqlite3_prepare_v2(db,
                                 "SELECT items.item_id, items.name, items.type, items.flags, "
                                 "items.value FROM notes JOIN items USING (note_id) "
                                 "WHERE note_class = 0 ORDER BY note_id, position",
                                 -1, &rows, nullptr),
              db);
  std::size_t sum = 0;
  while (sqlite3_step(rows) == SQLITE_ROW) {
    sum += static_cast<std::size_t>(sqlite3_column_bytes(rows, 4));
    const auto* value = static_cast<const unsigned char*>(sqlite3_column_blob(rows, 4));
    sum += sqlite3_column_bytes(rows, 1) + (value != nullptr ? value[0] : 0);
  }
  sqlite3_finalize(rows);
  sqlite3_close(db);
  return sum;
}

}  // namespace quendral::bench

#endif  // QUENDRAL_BENCH_BARE_SQLITE_H_
