// Entity encoding of 1 MB of mixed text: the one-pass encoder, the
// step-by-step reference it must match, and libxml2's xmlEncodeSpecialChars
// (markup-special characters only) on the same text. libxml2 is loaded at
// run time; its benchmark is skipped when it is missing.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

#include "platform/os/library.h"
#include "tests/util/markup/markup_reference.h"
#include "util/markup/markup.h"

namespace {

constexpr std::size_t kTextSize = std::size_t{1} << 20;

// Prose with markup-special characters and, now and then, the byte
// sequences of typographic characters and the placeholder's characters.
const std::string& MixedText() {
  static const std::string text = [] {
    const std::string_view words[] = {
        "the ",     "document ", "link ",        "server ",   "replica ", "field ",
        "A&B ",     "<p>",       "</p> ",        "\"said\" ", "it's ",    "a > b ",
        "\x01\x26", "\x01\x38",  "\x14\x20\xAC", "\x9F",      "\x01\x25", "~ | ",
        "\xB4",     "\x06\xE6",  "\x01\x2A",     "caf\xE9 ",  "\r\n",     "; ",
    };
    std::mt19937 random(4);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(words) - 1);
    std::string built;
    while (built.size() < kTextSize) {
      built += words[pick(random) % 6 == 0 ? pick(random) : pick(random) % 6];
    }
    built.resize(kTextSize);
    return built;
  }();
  return text;
}

void SetThroughput(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(kTextSize));
}

void BM_EncodeEntitiesOnePass(benchmark::State& state) {
  for (auto _ : state) {
    std::string text = MixedText();
    quendral::util::EncodeEntities(text);
    benchmark::DoNotOptimize(text.data());
  }
  SetThroughput(state);
}
BENCHMARK(BM_EncodeEntitiesOnePass)->Unit(benchmark::kMillisecond);

void BM_EncodeEntitiesStepByStep(benchmark::State& state) {
  for (auto _ : state) {
    std::string text = MixedText();
    quendral::util::fixtures::EncodeEntitiesStepByStep(text);
    benchmark::DoNotOptimize(text.data());
  }
  SetThroughput(state);
}
BENCHMARK(BM_EncodeEntitiesStepByStep)->Unit(benchmark::kMillisecond);

void BM_Libxml2EncodeSpecialChars(benchmark::State& state) {
  using EncodeSpecialChars = unsigned char* (*)(void* document, const unsigned char* input);
  static const quendral::os::LoadedLibrary libxml2("libxml2.so.2");
  const auto encode = libxml2.Find<EncodeSpecialChars>("xmlEncodeSpecialChars");
  if (encode == nullptr) {
    state.SkipWithError("libxml2 is not installed");
    return;
  }
  const std::string& text = MixedText();
  for (auto _ : state) {
    // The copy matches the other two, which encode a copy in place.
    const std::string copy = text;
    unsigned char* encoded = encode(nullptr, reinterpret_cast<const unsigned char*>(copy.c_str()));
    benchmark::DoNotOptimize(encoded);
    // libxml2 allocates with malloc unless told otherwise.
    std::free(encoded);
  }
  SetThroughput(state);
}
BENCHMARK(BM_Libxml2EncodeSpecialChars)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
