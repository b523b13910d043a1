// How fast, and how small, the refusal of entity bombs is: a 1 MB chain of
// nested entity declarations and a billion laughs, refused by the repair
// in process (timed) and by the tool as a process of its own ("peak_MB",
// its largest resident size; that includes this program's size at the
// start, so it is measured first, while this program is small).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "dxl/export_file.h"
#include "dxl/export_repairs.h"
#include "platform/os/process.h"
#include "tests/dxl/hostile_exports.h"

namespace quendral::dxl {
namespace {

namespace fs = std::filesystem;

fs::path tool_directory;

// About 1 MB of declarations.
constexpr int kChainLevels = 37000;

class HostileFiles {
 public:
  HostileFiles() {
    dir_ = fs::temp_directory_path() /
           ("quendral-hostile-bench-" + std::to_string(std::random_device()()));
    fs::create_directories(dir_ / "data");
    std::ofstream chain_out(chain(), std::ios::binary);
    hostile::WriteEntityChain(chain_out, kChainLevels);
    std::ofstream laughs_out(laughs(), std::ios::binary);
    hostile::WriteBillionLaughs(laughs_out);
  }
  ~HostileFiles() { fs::remove_all(dir_); }

  fs::path chain() const { return dir_ / "chain.xml"; }
  fs::path laughs() const { return dir_ / "laughs.xml"; }
  fs::path data() const { return dir_ / "data"; }
  fs::path output() const { return dir_ / "out.xml"; }

 private:
  fs::path dir_;
};

const HostileFiles& Files() {
  static const HostileFiles files;
  return files;
}

// The peak resident size of the tool refusing `file`, in MB.
double PeakOfToolRefusing(const fs::path& file) {
  const std::string line = "\"" + (tool_directory / "quendral").string() + "\" --data \"" +
                           Files().data().string() + "\" dxl fix-hidewhen --in-place \"" +
                           file.string() + "\"";
  os::Process process;
  unsigned long code = 0;
  std::uint64_t peak = 0;
  if (os::StartProcess(line, {}, &process) != 0 || !os::WaitForExit(process, &code, &peak) ||
      code != 2) {
    std::abort();
  }
  return static_cast<double>(peak) / (1 << 20);
}

void Refuse(benchmark::State& state, const fs::path& file) {
  const double peak = PeakOfToolRefusing(file);
  for (auto _ : state) {
    Refusal refusal;
    const bool done = RewriteExportFile(
        file, {OutputMode::kNewFile, Files().output()},
        [](std::istream& in, std::ostream* out, Refusal* refused) {
          RepairCounts counts;
          return FixHideWhenInExport(in, RepairOutput{out, nullptr}, {}, &counts, refused);
        },
        &refusal);
    if (done) {
      state.SkipWithError("the bomb was not refused");
    }
  }
  state.counters["file_KB"] = static_cast<double>(fs::file_size(file)) / 1024;
  state.counters["peak_MB"] = peak;
}

void BM_RefuseEntityChain(benchmark::State& state) { Refuse(state, Files().chain()); }
void BM_RefuseBillionLaughs(benchmark::State& state) { Refuse(state, Files().laughs()); }

BENCHMARK(BM_RefuseEntityChain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefuseBillionLaughs)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quendral::dxl

int main(int argc, char** argv) {
  quendral::dxl::tool_directory = std::filesystem::absolute(argv[0]).parent_path();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
