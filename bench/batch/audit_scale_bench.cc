// The audit at scale, each run as a child process of the tool, timed from
// here and its peak resident size taken, over generated databases whose
// every document has findings: the peaks of the audit and of `db export` on
// 10,000 and 100,000 documents; one database of 100,000 documents beside one
// of QUENDRAL_BENCH_AUDIT_LARGE (1,000,000 unless set), where time per
// document and peak memory should stay flat; eight databases audited
// with --jobs 1 and --jobs 2 (on two cores, two jobs should take no more
// processor time than one, and the time the run takes should fall to
// about half: compare cpu_s, and items_per_second, noting the load); and
// one audit reported as JSON, as a web page and as a spreadsheet.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "order_documents.h"
#include "platform/notes/store/store.h"
#include "platform/os/process.h"
#include "platform/sqlite/sqlite_connection.h"

namespace {

namespace fs = std::filesystem;
namespace store = quendral::platform::store;
using quendral::bench::Document;

constexpr int kBaseDocuments = 100000;
constexpr int kDatabases = 8;
constexpr int kDocumentsEach = 20000;
constexpr int kDocumentsPerTransaction = 10000;
fs::path tool_directory;

int LargeDocuments() {
  const char* set = std::getenv("QUENDRAL_BENCH_AUDIT_LARGE");
  return set != nullptr ? std::atoi(set) : 1000000;
}

struct RunFigures {
  double seconds, peak_mb, cpu_seconds;
};

// User and system time of the children this process has waited for: on
// two cores a parallel run that scales uses about as much as one job.
double ChildrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const auto seconds = [](const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The machine's load over the last minute, beside the figures it skews.
double LoadAverage() {
  double load = 0;
  return getloadavg(&load, 1) == 1 ? load : -1;
}

// A data directory of its own, removed at the end.
class DataDirectory {
 public:
  DataDirectory() {
    std::random_device random;
    directory_ = fs::temp_directory_path() / ("quendral-audit-bench-" + std::to_string(random()));
    fs::create_directories(directory_);
  }
  ~DataDirectory() { fs::remove_all(directory_); }

  // A database of `documents` orders, written a transaction at a time so
  // that this process stays small: the children's peaks include it.
  void Generate(const std::string& name, int documents) const {
    std::unique_ptr<store::Store> database;
    Check(store::Store::Create(directory_ / name, {quendral::bench::kHome, "Orders"}, &database));
    for (int first = 0; first < documents; first += kDocumentsPerTransaction) {
      quendral::base::sqlite::WriteTransaction transaction(database->connection());
      Check(transaction.Begin() == 0 ? 0 : 1);
      for (int i = first; i < std::min(documents, first + kDocumentsPerTransaction); ++i) {
        store::NoteImage note = Document(static_cast<std::uint32_t>(i));
        store::NoteHeader header;
        header.unid = note.unid;
        Check(database->InsertNote(&header));
        for (std::size_t k = 0; k < note.items.size(); ++k) {
          const store::ItemImage& item = note.items[k];
          store::ItemWrite write;
          write.name = item.name;
          write.type = item.type;
          write.flags = item.flags;
          write.value = item.value.data();
          write.length = item.value.size();
          Check(database->InsertItem(header.note_id, static_cast<std::int64_t>(k), &write));
        }
      }
      Check(transaction.Commit() == 0 ? 0 : 1);
    }
    Check(database->Checkpoint());
    Check(database->Close());
  }

  // Runs the tool with `arguments`, its output dropped: the seconds it took,
  // its peak resident size in MiB and the processor time it used.
  RunFigures Run(const std::string& arguments) const {
    const std::string command = "exec \"" + (tool_directory / "quendral").string() +
                                "\" --data \"" + directory_.string() + "\" " + arguments +
                                " >/dev/null";
    const double cpu_before = ChildrenCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    quendral::os::Process process;
    unsigned long exit_code = 0;
    std::uint64_t peak = 0;
    if (quendral::os::StartShellCommand("/bin/sh", command, &process) != 0 ||
        !quendral::os::WaitForExit(process, &exit_code, &peak) || exit_code != 0) {
      std::abort();
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return {took.count(), static_cast<double>(peak) / (1 << 20), ChildrenCpuSeconds() - cpu_before};
  }

 private:
  static void Check(unsigned status) {
    if (status != 0) {
      std::abort();
    }
  }
  fs::path directory_;
};

// First of all, while this process is still small: the peaks of the audit
// and of `db export` of 10,000 and of 100,000 documents.
void PeakMemory(benchmark::State& state) {
  for (auto _ : state) {
    DataDirectory data;
    data.Generate("small.nsf", kBaseDocuments / 10);
    data.Generate("base.nsf", kBaseDocuments);
    const double audit_small = data.Run("audit --json --quiet small.nsf").peak_mb;
    const double audit_base = data.Run("audit --json --quiet base.nsf").peak_mb;
    const double export_small = data.Run("db export small.nsf").peak_mb;
    const double export_base = data.Run("db export base.nsf").peak_mb;
    state.counters["audit_10k_MB"] = audit_small;
    state.counters["audit_100k_MB"] = audit_base;
    state.counters["audit_ratio"] = audit_base / audit_small;
    state.counters["export_10k_MB"] = export_small;
    state.counters["export_100k_MB"] = export_base;
    state.counters["export_ratio"] = export_base / export_small;
  }
}
BENCHMARK(PeakMemory)->Iterations(1)->Unit(benchmark::kSecond);

void AuditAtScale(benchmark::State& state) {
  const int large = LargeDocuments();
  for (auto _ : state) {
    state.PauseTiming();
    DataDirectory data;
    data.Generate("base.nsf", kBaseDocuments);
    data.Generate("large.nsf", large);
    state.ResumeTiming();
    const auto [base_seconds, base_peak, base_cpu] = data.Run("audit --json --quiet base.nsf");
    const auto [large_seconds, large_peak, large_cpu] = data.Run("audit --json --quiet large.nsf");
    state.counters["documents_large"] = large;
    state.counters["us_per_doc_100k"] = 1e6 * base_seconds / kBaseDocuments;
    state.counters["us_per_doc_large"] = 1e6 * large_seconds / large;
    state.counters["time_ratio"] = (large_seconds / large) / (base_seconds / kBaseDocuments);
    state.counters["peak_100k_MB"] = base_peak;
    state.counters["peak_large_MB"] = large_peak;
    state.counters["peak_ratio"] = large_peak / base_peak;
  }
}
BENCHMARK(AuditAtScale)->Iterations(1)->Unit(benchmark::kSecond);

// Eight databases of 20,000 documents each, made once.
const DataDirectory& EightDatabases() {
  static const DataDirectory data = [] {
    DataDirectory made;
    for (int i = 0; i < kDatabases; ++i) {
      made.Generate("db" + std::to_string(i) + ".nsf", kDocumentsEach);
    }
    return made;
  }();
  return data;
}

void AuditEightDatabases(benchmark::State& state) {
  const DataDirectory& data = EightDatabases();
  for (auto _ : state) {
    const auto [seconds, peak, cpu] =
        data.Run("audit --json --quiet --all-databases --jobs " + std::to_string(state.range(0)));
    state.SetIterationTime(seconds);
    state.counters["peak_MB"] = peak;
    state.counters["cpu_s"] = cpu;
    state.counters["load"] = LoadAverage();
  }
  state.SetItemsProcessed(state.iterations() * kDatabases * kDocumentsEach);
}
BENCHMARK(AuditEightDatabases)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  tool_directory = fs::absolute(argv[0]).parent_path();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// The same audit of one database reported as JSON, as a web page and as a
// spreadsheet (the latter two beside the text report on standard output).
void AuditReportFormats(benchmark::State& state) {
  const DataDirectory& data = EightDatabases();
  static const char* const kFormats[] = {"--json", "--html", "--csv"};
  const std::string format = kFormats[state.range(0)];
  const fs::path file = fs::temp_directory_path() / "quendral-audit-bench-report";
  const std::string arguments =
      "audit --quiet " + (format == "--json" ? format : format + " \"" + file.string() + "\"");
  for (auto _ : state) {
    const auto [seconds, peak, cpu] = data.Run(arguments + " db0.nsf");
    state.SetIterationTime(seconds);
    state.counters["peak_MB"] = peak;
    state.counters["cpu_s"] = cpu;
  }
  fs::remove(file);
  state.SetLabel(format);
  state.SetItemsProcessed(state.iterations() * kDocumentsEach);
}
BENCHMARK(AuditReportFormats)->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond);
