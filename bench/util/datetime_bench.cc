// Parse, validate and format of a million date texts, one pass per iteration:
// the time of an iteration in milliseconds is the time per date in
// nanoseconds.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "util/dates/datetime.h"

namespace {

constexpr int kDates = 1000000;

// Month, day, year texts in the shapes a date field receives: each separator,
// two- and four-digit years, and a share of impossible dates.
std::vector<std::string> MakeTexts() {
  static const char kSeparators[] = "/-.";
  std::vector<std::string> texts;
  texts.reserve(kDates);
  unsigned state = 12345;
  for (int i = 0; i < kDates; ++i) {
    state = state * 1103515245u + 12345u;
    const unsigned month = 1 + (state >> 8) % 13;  // 13 is invalid
    const unsigned day = 1 + (state >> 12) % 31;   // some days overflow their month
    const unsigned year = (state >> 4) % 2 == 0 ? 1900 + (state >> 16) % 200 : (state >> 16) % 100;
    const char separator = kSeparators[i % 3];
    texts.push_back(std::to_string(month) + separator + std::to_string(day) + separator +
                    std::to_string(year));
  }
  return texts;
}

const std::vector<std::string>& Texts() {
  static const std::vector<std::string> texts = MakeTexts();
  return texts;
}

// One value re-read from each text: the date work alone.
void BM_AssignValidateFormat(benchmark::State& state) {
  const std::vector<std::string>& texts = Texts();
  quendral::util::DateTimeValue value(quendral::util::kMonthDayYear);
  for (auto _ : state) {
    for (const std::string& text : texts) {
      value = text.c_str();
      if (value.IsValid() != 0) {
        benchmark::DoNotOptimize(value.FormatDate());
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * kDates);
}
BENCHMARK(BM_AssignValidateFormat)->Unit(benchmark::kMillisecond);

// A new value per text, as the date-entry checks make one; construction also
// reads the local clock.
void BM_ConstructValidateFormat(benchmark::State& state) {
  const std::vector<std::string>& texts = Texts();
  for (auto _ : state) {
    for (const std::string& text : texts) {
      quendral::util::DateTimeValue value(text.c_str(), quendral::util::kMonthDayYear);
      if (value.IsValid() != 0) {
        benchmark::DoNotOptimize(value.FormatDate());
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * kDates);
}
BENCHMARK(BM_ConstructValidateFormat)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
