// AssignItemByFormula on a document of 200 items: an assignment that leaves
// the text as it was (compiled, evaluated, compared, not saved) and one that
// changes it every time (and so saves the note), next to the bare SQLite
// read and rewrite of one stored value.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "bare_sqlite.h"
#include "notes/item_assignment.h"
#include "platform/notes/api/database_file.h"
#include "platform/notes/api/item_values.h"

namespace {

namespace fs = std::filesystem;
namespace store = quendral::platform::store;

constexpr int kItems = 200;
const UNIVERSALNOTEID kId{{{2, 1}}, {{4, 3}}};

std::string FieldName(int index) {
  std::string digits = std::to_string(index);
  return "Field" + std::string(3 - digits.size(), '0') + digits;
}

store::ItemImage Field(int index) {
  store::ItemImage item{FieldName(index), quendral::platform::kTypeTextList, 0x0008, {}};
  const std::string text = "Value of " + FieldName(index) + " in the quarterly report";
  if (quendral::platform::values::EncodeTextList({text}, &item.value) !=
      quendral::platform::kNoError) {
    std::abort();
  }
  return item;
}

// A data directory with "doc.nsf" holding one document of kItems items, open
// for the whole benchmark.
class OpenDocument {
 public:
  OpenDocument() {
    std::random_device random;
    directory_ = fs::temp_directory_path() / ("quendral-bench-" + std::to_string(random()));
    fs::create_directories(directory_);
    store::NoteImage note;
    note.unid = kId;
    for (int i = 0; i < kItems; ++i) {
      note.items.push_back(Field(i));
    }
    const store::DatabaseImage image{"Bench", TIMEDATE{{5, 5}}, {note}};
    if (store::CreateDatabaseFile(file(), image, false) != quendral::platform::kNoError) {
      std::abort();
    }
    LNSetThrowAllErrorsGlobal(0);
    session_.SetDataDirectory(directory_.string());
    if (session_.Initialize(230, 0, nullptr, 1, nullptr) != 0 ||
        session_.GetDatabase("doc.nsf", &database_) != 0 || database_.Open() != 0 ||
        database_.GetDocument(kId, &document_) != 0 || document_.Open(0) != 0) {
      std::abort();
    }
  }
  ~OpenDocument() {
    LNSetThrowAllErrorsGlobal(0);
    document_.Close();
    database_.Close();
    session_.Term(0);
    fs::remove_all(directory_);
  }

  LNDocument& document() { return document_; }
  fs::path file() const { return directory_ / "doc.nsf"; }

 private:
  fs::path directory_;
  LNNotesSession session_;
  LNDatabase database_;
  LNDocument document_;
};

void AssignUnchangedValueWithoutSave(benchmark::State& state) {
  OpenDocument data;
  const std::string name = FieldName(kItems / 2);
  for (auto _ : state) {
    if (quendral::AssignItemByFormula(data.document(), name.c_str(), "TEXT", name.c_str()) != 0) {
      state.SkipWithError("saved an unchanged item");
    }
  }
}
BENCHMARK(AssignUnchangedValueWithoutSave)->Unit(benchmark::kMicrosecond);

void AssignChangedValueWithSave(benchmark::State& state) {
  OpenDocument data;
  const std::string name = FieldName(kItems / 2);
  const char* values[] = {"\"Open\"", "\"Closed\""};
  int turn = 0;
  for (auto _ : state) {
    if (quendral::AssignItemByFormula(data.document(), name.c_str(), "TEXT", values[turn ^= 1]) !=
        1) {
      state.SkipWithError("did not save");
    }
  }
}
BENCHMARK(AssignChangedValueWithSave)->Unit(benchmark::kMicrosecond);

void BareSqliteRewriteOfOneItem(benchmark::State& state) {
  OpenDocument data;
  unsigned char marker = 0;
  for (auto _ : state) {
    quendral::bench::BareSqliteRewrite(data.file(), ++marker);
  }
}
BENCHMARK(BareSqliteRewriteOfOneItem)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
