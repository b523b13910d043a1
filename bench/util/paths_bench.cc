// SanitizePath and SplitPath over 100,000 realistic paths; the time per
// iteration divided by the path count is the cost of one path.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "util/files/files.h"

namespace {

constexpr int kPathCount = 100000;

std::vector<std::string> RealisticPaths() {
  const char* roots[] = {"C:\\", "D:\\", "\\\\fileserver\\share\\"};
  const char* directories[] = {"Users",        "Documents", "Notes",   "Data",     "Mail",
                               "Archive 2024", "Projects",  "Reports", "Q3|draft", "tmp"};
  const char* names[] = {"names.nsf", "report final.docx", "scan?001.pdf", "log.txt",
                         "a<b>.html", "budget.v2.xlsx",    "README",       "photo.JPG"};
  std::mt19937 random(42);
  std::vector<std::string> paths;
  paths.reserve(kPathCount);
  for (int i = 0; i < kPathCount; ++i) {
    std::string path = roots[random() % std::size(roots)];
    const int depth = 1 + static_cast<int>(random() % 5);
    for (int d = 0; d < depth; ++d) {
      path += directories[random() % std::size(directories)];
      path += '\\';
    }
    path += names[random() % std::size(names)];
    paths.push_back(std::move(path));
  }
  return paths;
}

void BM_SplitPath(benchmark::State& state) {
  const std::vector<std::string> paths = RealisticPaths();
  quendral::util::PathParts parts;
  for (auto _ : state) {
    for (const std::string& path : paths) {
      quendral::util::SplitPath(path, false, &parts);
      benchmark::DoNotOptimize(parts);
    }
  }
  state.SetItemsProcessed(state.iterations() * kPathCount);
}
BENCHMARK(BM_SplitPath)->Unit(benchmark::kMillisecond);

void BM_SanitizePath(benchmark::State& state) {
  const std::vector<std::string> paths = RealisticPaths();
  std::string path;
  for (auto _ : state) {
    for (const std::string& original : paths) {
      path = original;
      benchmark::DoNotOptimize(quendral::util::SanitizePath(&path, false));
    }
  }
  state.SetItemsProcessed(state.iterations() * kPathCount);
}
BENCHMARK(BM_SanitizePath)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
