// Whole-database runs over a generated database of 10,000 documents, each
// beside the bare SQLite program that does the same work: reading every item
// row and rewriting the changed ones, in transactions of the same size. First,
// the peak memory of `quendral fix-hidewhen --all` on 10,000 and on 100,000
// documents, each run as a child process: a streaming pass needs about the
// same on both.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "bare_sqlite.h"
#include "batch/audit.h"
#include "batch/batch_run.h"
#include "notes/open_database.h"
#include "order_documents.h"
#include "platform/notes/api/database_file.h"
#include "platform/notes/api/item_values.h"
#include "platform/notes/formula/formula.h"
#include "platform/os/process.h"

namespace {

namespace fs = std::filesystem;
namespace store = quendral::platform::store;
namespace values = quendral::platform::values;
namespace batch = quendral::batch;
namespace report = quendral::report;

constexpr int kDocuments = 10000;
using quendral::bench::Document;
using quendral::bench::kHome;
const TIMEDATE kTarget{{0xCAFEBABE, 0x0BADF00D}};
fs::path tool_directory;

// A data directory with "template.nsf" of `documents` documents, the copy
// "db.nsf" the runs change, and the link target "target.nsf".
class DataDirectory {
 public:
  explicit DataDirectory(int documents) {
    std::random_device random;
    directory_ = fs::temp_directory_path() / ("quendral-batch-bench-" + std::to_string(random()));
    fs::create_directories(directory_);
    setenv("NOTES_DATA_DIR", directory_.string().c_str(), 1);
    store::DatabaseImage image{"Orders", kHome, {}};
    for (int i = 0; i < documents; ++i) {
      image.notes.push_back(Document(static_cast<std::uint32_t>(i)));
    }
    Write("template.nsf", image);
    Write("target.nsf", store::DatabaseImage{"Target", kTarget, {}});
    Reset();
  }
  ~DataDirectory() { fs::remove_all(directory_); }

  void Reset() {
    fs::copy_file(directory_ / "template.nsf", file(), fs::copy_options::overwrite_existing);
  }
  fs::path file() const { return directory_ / "db.nsf"; }
  const fs::path& directory() const { return directory_; }

 private:
  void Write(const char* name, const store::DatabaseImage& image) {
    if (store::CreateDatabaseFile(directory_ / name, image, true) != quendral::platform::kNoError) {
      std::abort();
    }
  }
  fs::path directory_;
};

// Removed again when the benchmarks end.
DataDirectory& TenThousand() {
  static DataDirectory data(kDocuments);
  return data;
}

// The peak resident size of the tool repairing every document of a database
// of `documents` documents. The tool runs as a child of this process, which
// stays small: it writes the database's documents one at a time into a file
// that another child imports.
std::uint64_t PeakOfFixHideWhen(int documents) {
  std::random_device random;
  const fs::path directory =
      fs::temp_directory_path() / ("quendral-batch-memory-" + std::to_string(random()));
  fs::create_directories(directory);
  {
    std::ofstream image(directory / "image.json");
    image << R"j({"title": "Orders", "replica_id": "AAAAAAAA:11111111", "notes": [)j";
    for (int i = 0; i < documents; ++i) {
      char unid[40];
      std::snprintf(unid, sizeof unid, "%032X", i + 1);
      auto link = [&unid](const char* replica) {
        return std::string(R"j({"replica_id": ")j") + replica + R"j(", "view_unid": ")j" + unid +
               R"j(", "note_unid": ")j" + unid + R"j("})j";
      };
      image << (i == 0 ? "" : ",") << R"j({"unid": ")j" << unid << R"j(", "items": [)j"
            << R"j({"name": "Subject", "type": "text", "values": ["Order )j" << i << R"j("]},)j"
            << R"j({"name": "Body", "type": "richtext", "paragraphs": [{"text": "Placed"},)j"
            << R"j({"text": "Discount", "hide_when": "!@IsMember(\"[Managers]\"; @UserRoles)"},)j"
            << R"j({"text": "Delivery", "hide_when": "Subject = \"Closed\""},)j"
            << R"j({"text": "Signed"}]}, {"name": "$Links", "type": "links", "links": [)j"
            << link("85256E3A:0058F1B2") << "," << link("AAAAAAAA:11111111") << ","
            << link("85256E3A:0058F1B2") << "]}]}";
    }
    image << "]}";
  }
  const std::string tool =
      "\"" + (tool_directory / "quendral").string() + "\" --data \"" + directory.string() + "\" ";
  std::uint64_t peak = 0;
  for (const std::string& command :
       {"db import db.nsf \"" + (directory / "image.json").string() + "\"",
        std::string("fix-hidewhen --all --quiet db.nsf")}) {
    quendral::os::Process process;
    unsigned long exit_code = 0;
    if (quendral::os::StartProcess(tool + command, {}, &process) != 0 ||
        !quendral::os::WaitForExit(process, &exit_code, &peak) || exit_code != 0) {
      std::abort();
    }
  }
  fs::remove_all(directory);
  return peak;
}

// First of all, while this process is still small.
void PeakMemoryOfFixHideWhen(benchmark::State& state) {
  for (auto _ : state) {
    const double small = static_cast<double>(PeakOfFixHideWhen(kDocuments));
    const double large = static_cast<double>(PeakOfFixHideWhen(10 * kDocuments));
    state.counters["peak_10k_MB"] = small / (1 << 20);
    state.counters["peak_100k_MB"] = large / (1 << 20);
    state.counters["ratio"] = large / small;
  }
}
BENCHMARK(PeakMemoryOfFixHideWhen)->Iterations(1)->Unit(benchmark::kSecond);

// Runs `run` against the freshly copied database, timing only the run.
template <class Run>
void Timed(benchmark::State& state, Run run) {
  DataDirectory& data = TenThousand();
  for (auto _ : state) {
    state.PauseTiming();
    data.Reset();
    state.ResumeTiming();
    run(data);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kDocuments);
}

void RunRepair(batch::DocumentRepair& repair, benchmark::State& state) {
  LNSetThrowAllErrorsGlobal(0);
  LNNotesSession session;
  session.Initialize();
  LNDatabase database;
  if (quendral::OpenNotesDatabase(session, database, "", "db.nsf") != 0) {
    std::abort();
  }
  report::RunSummary summary;
  batch::RunOverDatabase(database, repair, {}, &summary);
  if (summary.changed != kDocuments) {
    state.SkipWithError("not every document was repaired");
  }
  database.Close();
  session.Term();
}

void FixHideWhenAll(benchmark::State& state) {
  Timed(state, [&](DataDirectory&) {
    batch::HideWhenRepair repair;
    RunRepair(repair, state);
  });
}
BENCHMARK(FixHideWhenAll)->Unit(benchmark::kMillisecond);

void RelinkAll(benchmark::State& state) {
  Timed(state, [&](DataDirectory&) {
    batch::RelinkRepair repair("85256E3A:0058F1B2", kTarget);
    RunRepair(repair, state);
  });
}
BENCHMARK(RelinkAll)->Unit(benchmark::kMillisecond);

void Audit(benchmark::State& state) {
  DataDirectory& data = TenThousand();
  data.Reset();
  LNSetThrowAllErrorsGlobal(0);
  LNNotesSession session;
  session.Initialize();
  for (auto _ : state) {
    LNDatabase database;
    if (quendral::OpenNotesDatabase(session, database, "", "db.nsf") != 0) {
      std::abort();
    }
    batch::LinkTargets targets(session, "");
    const report::DatabaseAudit audit = batch::AuditDatabase(database, "db.nsf", targets, {});
    if (audit.findings.size() != kDocuments) {
      state.SkipWithError("findings missing");
    }
    database.Close();
  }
  session.Term();
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kDocuments);
}
BENCHMARK(Audit)->Unit(benchmark::kMillisecond);

void BareFixHideWhen(benchmark::State& state) {
  Timed(state,
        [](DataDirectory& data) { quendral::bench::BareSqliteBatch(data.file(), "Body", false); });
}
BENCHMARK(BareFixHideWhen)->Unit(benchmark::kMillisecond);

void BareRelink(benchmark::State& state) {
  Timed(state,
        [](DataDirectory& data) { quendral::bench::BareSqliteBatch(data.file(), "$Links", true); });
}
BENCHMARK(BareRelink)->Unit(benchmark::kMillisecond);

void BareReadOfEveryRow(benchmark::State& state) {
  DataDirectory& data = TenThousand();
  data.Reset();
  for (auto _ : state) {
    benchmark::DoNotOptimize(quendral::bench::BareSqliteReadAll(data.file()));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kDocuments);
}
BENCHMARK(BareReadOfEveryRow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  tool_directory = fs::absolute(argv[0]).parent_path();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
