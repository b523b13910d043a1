// The cost of changing one byte of a 1 MB item and saving it: through the
// Notes platform (open the database, fetch and open the note, change the
// byte in place, save) next to a bare SQLite program that reads the same
// bytes and writes them back in one transaction.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/notes/api/database_file.h"
#include "platform/notes/api/ln.h"
#include "platform/notes/core/core_api.h"
#include "platform/notes/core/memory.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kValueSize = 1 << 20;
const UNIVERSALNOTEID kUnid{{{1, 2}}, {{3, 4}}};

// One database with one note holding one 1 MB item, in a directory of its
// own.
class Fixture {
 public:
  Fixture() {
    std::string pattern = (fs::temp_directory_path() / "store-bench-XXXXXX").string();
    directory_ = mkdtemp(pattern.data());
    quendral::platform::store::NoteImage note;
    note.unid = kUnid;
    note.items.push_back(quendral::platform::store::ItemImage{
        "Big", 0x0100, 0, std::vector<std::uint8_t>(kValueSize, 7)});
    quendral::platform::store::DatabaseImage image{"Bench", TIMEDATE{{1, 1}}, {note}};
    if (quendral::platform::store::CreateDatabaseFile(file(), image, false) !=
        quendral::platform::kNoError) {
      std::fprintf(stderr, "cannot create the database\n");
      std::abort();
    }
  }
  ~Fixture() { fs::remove_all(directory_); }

  const fs::path& directory() const { return directory_; }
  fs::path file() const { return directory_ / "bench.nsf"; }

 private:
  fs::path directory_;
};

void PlatformChangeOneByte(benchmark::State& state) {
  Fixture fixture;
  LNSetThrowAllErrorsGlobal(1);
  LNNotesSession session;
  session.SetDataDirectory(fixture.directory().string());
  session.Initialize();
  std::uint8_t next = 0;
  for (auto _ : state) {
    LNDatabase db;
    LNDocument doc;
    session.GetDatabase("bench.nsf", &db);
    db.Open();
    db.GetDocument(kUnid, &doc);
    doc.Open(0);
    quendral::platform::BLOCKID value{};
    quendral::platform::FindItem(doc.GetNoteHandle(1), "Big", 3, nullptr, nullptr, &value, nullptr);
    auto* block =
        static_cast<std::uint8_t*>(quendral::platform::LockMemory(value.pool)) + value.block;
    block[2 + kValueSize / 2] = ++next;
    quendral::platform::UnlockMemory(value.pool);
    doc.Save(0);
    doc.Close();
    db.Close();
  }
  LNSetThrowAllErrorsGlobal(0);
}
BENCHMARK(PlatformChangeOneByte)->Unit(benchmark::kMillisecond);

void Check(int result, sqlite3* db) {
  if (result != SQLITE_OK && result != SQLITE_ROW && result != SQLITE_DONE) {
    std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
    std::abort();
  }
}

void BareSqliteRewrite(benchmark::State& state) {
  Fixture fixture;
  std::uint8_t next = 0;
  for (auto _ : state) {
    sqlite3* db = nullptr;
    Check(sqlite3_open_v2(fixture.file().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), db);
    Check(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* select = nullptr;
    Check(sqlite3_prepare_v2(db, "SELECT item_id, value FROM items", -1, &select, nullptr), db);
    Check(sqlite3_step(select), db);
    sqlite3_int64 row = sqlite3_column_int64(select, 0);
    const auto* stored = static_cast<const std::uint8_t*>(sqlite3_column_blob(select, 1));
    std::vector<std::uint8_t> bytes(stored, stored + sqlite3_column_bytes(select, 1));
    sqlite3_finalize(select);
    bytes[kValueSize / 2] = ++next;
    sqlite3_stmt* update = nullptr;
    Check(sqlite3_prepare_v2(db, "UPDATE items SET value = ? WHERE item_id = ?", -1, &update,
                             nullptr),
          db);
    sqlite3_bind_blob(update, 1, bytes.data(), static_cast<int>(bytes.size()), SQLITE_STATIC);
    sqlite3_bind_int64(update, 2, row);
    Check(sqlite3_step(update), db);
    sqlite3_finalize(update);
    Check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
  }
}
BENCHMARK(BareSqliteRewrite)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
