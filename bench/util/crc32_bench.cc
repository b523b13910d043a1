// CRC-32 of 1 KB, 64 KB and 1 MB buffers: ours beside zlib's crc32, in one
// run. Bytes per second are reported for both.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>

#include "platform/os/library.h"
#include "util/text/text.h"

namespace {

// zlib is loaded at run time so that nothing else in the build depends on it.
using ZlibCrc32 = unsigned long (*)(unsigned long crc, const unsigned char* data, unsigned size);

ZlibCrc32 FindZlibCrc32() {
  static const quendral::os::LoadedLibrary zlib(std::string("libz") +
                                                quendral::os::kLibraryFileSuffix + ".1");
  return zlib.Find<ZlibCrc32>("crc32");
}

std::string RandomText(std::size_t size) {
  std::mt19937 generator(2024);
  std::string text(size, '\0');
  for (char& c : text) {
    c = static_cast<char>(generator());
  }
  return text;
}

void Ours(benchmark::State& state) {
  const quendral::util::Crc32Table table;
  const std::string text = RandomText(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(quendral::util::Crc32OfText(table, text));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void Zlib(benchmark::State& state) {
  const ZlibCrc32 crc32 = FindZlibCrc32();
  if (crc32 == nullptr) {
    state.SkipWithError("zlib could not be loaded");
    return;
  }
  const std::string text = RandomText(static_cast<std::size_t>(state.range(0)));
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  for (auto _ : state) {
    benchmark::DoNotOptimize(crc32(0, data, static_cast<unsigned>(text.size())));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

BENCHMARK(Ours)->Name("Crc32/ours")->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK(Zlib)->Name("Crc32/zlib")->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20);

}  // namespace

BENCHMARK_MAIN();
