// The clock speed ProcessorInfo measures over its 50 ms wait, beside the
// speed the system reports (/proc/cpuinfo "cpu MHz", where there is one),
// and what identifying the processor costs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "util/processor/processor.h"

namespace {

double SystemMHz() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line;
  while (std::getline(cpuinfo, line)) {
    if (line.rfind("cpu MHz", 0) == 0) {
      return std::stod(line.substr(line.find(':') + 1));
    }
  }
  return 0;
}

// A wait stretched by preemption overstates the speed, so the median and
// the lowest of the measurements are reported.
void BM_IdentifyProcessor(benchmark::State& state) {
  std::vector<double> speeds;
  for (auto _ : state) {
    const quendral::util::ProcessorInfo info;
    speeds.push_back(info.GetSpeedMHz());
  }
  std::sort(speeds.begin(), speeds.end());
  const double median = speeds[speeds.size() / 2];
  const double system_mhz = SystemMHz();
  state.counters["median_MHz"] = median;
  state.counters["lowest_MHz"] = speeds.front();
  state.counters["system_MHz"] = system_mhz;
  if (system_mhz > 0) {
    state.counters["median_deviation_percent"] = (median - system_mhz) * 100 / system_mhz;
  }
}
BENCHMARK(BM_IdentifyProcessor)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
