// The two repairs on large documents, next to the bare SQLite read and
// rewrite of the same bytes: FixRichTextFields on 10,000 paragraphs that
// each carry a hide-when formula (about 1 MB of rich text), and
// ChangeServerInLinks on a link table of 1,000 entries.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "bare_sqlite.h"
#include "platform/notes/api/database_file.h"
#include "platform/notes/api/item_values.h"
#include "platform/notes/formula/formula.h"
#include "quendral/quendral.h"
#include "repair/link_table.h"

namespace {

namespace fs = std::filesystem;
namespace store = quendral::platform::store;
namespace values = quendral::platform::values;

const UNIVERSALNOTEID kId{{{2, 1}}, {{4, 3}}};
const TIMEDATE kOld{{0x0058F1B2, 0x85256E3A}};
const TIMEDATE kTarget{{0xCAFEBABE, 0x0BADF00D}};

std::vector<std::uint8_t> Compiled(const char* text) {
  std::vector<std::uint8_t> bytes;
  quendral::platform::formula::CompileError error;
  if (!quendral::platform::formula::Compile(text, &bytes, &error)) {
    std::abort();
  }
  return bytes;
}

store::ItemImage HiddenRichText(int paragraphs) {
  const auto formula = Compiled("@IsMember(\"[Admin]\"; @UserRoles) | Status = \"Closed\"");
  std::vector<quendral::platform::richtext::Paragraph> body;
  for (int i = 0; i < paragraphs; ++i) {
    quendral::platform::richtext::Paragraph paragraph;
    paragraph.runs.push_back({quendral::platform::richtext::Run::Kind::kText,
                              "Paragraph " + std::to_string(i) + " of the quarterly report", 0});
    paragraph.has_hide_when = true;
    paragraph.hide_when_area = formula;
    body.push_back(std::move(paragraph));
  }
  return {"Body", quendral::platform::kTypeCompositeText, 0, values::EncodeRichText(body)};
}

store::ItemImage LinkTable(int entries) {
  std::vector<quendral::NoteLink> links(entries);
  for (int i = 0; i < entries; ++i) {
    links[i].replica_id = i % 2 == 0 ? kOld : TIMEDATE{{static_cast<std::uint32_t>(i), 9}};
    links[i].view = UNIVERSALNOTEID{{{1, 1}}, {{1, static_cast<std::uint32_t>(i)}}};
  }
  store::ItemImage item{"$Links", quendral::platform::kTypeNoteLinkList, 0, {}};
  if (!quendral::EncodeLinkTable(links, &item.value)) {
    std::abort();
  }
  return item;
}

// A data directory holding "doc.nsf" with one document, and "target.nsf".
class DataDirectory {
 public:
  explicit DataDirectory(store::ItemImage item) {
    std::random_device random;
    directory_ = fs::temp_directory_path() / ("quendral-bench-" + std::to_string(random()));
    fs::create_directories(directory_);
    setenv("NOTES_DATA_DIR", directory_.string().c_str(), 1);
    document_.title = "Bench";
    document_.replica_id = TIMEDATE{{5, 5}};
    store::NoteImage note;
    note.unid = kId;
    note.items.push_back(std::move(item));
    document_.notes.push_back(std::move(note));
    Reset();
    Write("target.nsf", store::DatabaseImage{"Target", kTarget, {}});
  }
  ~DataDirectory() { fs::remove_all(directory_); }

  // Puts the document back as it was before any repair.
  void Reset() { Write("doc.nsf", document_); }
  fs::path document_file() const { return directory_ / "doc.nsf"; }
  std::size_t value_size() const { return document_.notes[0].items[0].value.size(); }

 private:
  void Write(const char* name, const store::DatabaseImage& image) {
    if (store::CreateDatabaseFile(directory_ / name, image, true) != quendral::platform::kNoError) {
      std::abort();
    }
  }

  fs::path directory_;
  store::DatabaseImage document_;
};

const std::string kUnidText = "00000001000000020000000300000004";

void FixRichTextFieldsOnTenThousandParagraphs(benchmark::State& state) {
  DataDirectory data(HiddenRichText(10000));
  for (auto _ : state) {
    state.PauseTiming();
    data.Reset();
    state.ResumeTiming();
    if (FixRichTextFields("", "doc.nsf", kUnidText.c_str()) != 0) {
      state.SkipWithError("failed");
    }
  }
  state.counters["value_bytes"] = static_cast<double>(data.value_size());
}
BENCHMARK(FixRichTextFieldsOnTenThousandParagraphs)->Unit(benchmark::kMillisecond);

void BareSqliteRewriteOfTheRichText(benchmark::State& state) {
  DataDirectory data(HiddenRichText(10000));
  unsigned char marker = 0;
  for (auto _ : state) {
    quendral::bench::BareSqliteRewrite(data.document_file(), ++marker);
  }
}
BENCHMARK(BareSqliteRewriteOfTheRichText)->Unit(benchmark::kMillisecond);

void ChangeServerInLinksOnAThousandEntries(benchmark::State& state) {
  DataDirectory data(LinkTable(1000));
  for (auto _ : state) {
    state.PauseTiming();
    data.Reset();
    state.ResumeTiming();
    if (ChangeServerInLinks("", "doc.nsf", kUnidText.c_str(), "85256E3A:0058F1B2", "target.nsf") !=
        0) {
      state.SkipWithError("failed");
    }
  }
}
BENCHMARK(ChangeServerInLinksOnAThousandEntries)->Unit(benchmark::kMillisecond);

void BareSqliteRewriteOfTheLinkTable(benchmark::State& state) {
  DataDirectory data(LinkTable(1000));
  unsigned char marker = 0;
  for (auto _ : state) {
    quendral::bench::BareSqliteRewrite(data.document_file(), ++marker);
  }
}
BENCHMARK(BareSqliteRewriteOfTheLinkTable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
