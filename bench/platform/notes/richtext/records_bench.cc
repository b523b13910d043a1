// Record enumeration over a 1 MB rich-text value of short paragraphs, beside
// the least any walk of chained records does: a bare loop that only hops from
// one record to the next, with no checks and no action.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/notes/richtext/paragraphs.h"
#include "platform/notes/richtext/records.h"

namespace {

using quendral::platform::richtext::Paragraph;
using quendral::platform::richtext::Run;

constexpr std::size_t kValueSize = 1 << 20;

// Paragraphs of `text_length` characters, every fourth one hidden and every
// third one ending in a link, until the value reaches 1 MB.
std::vector<std::uint8_t> MakeValue(std::size_t text_length) {
  std::vector<Paragraph> paragraphs;
  std::size_t size = 2;
  for (std::uint16_t i = 0; size < kValueSize; ++i) {
    std::string text = "Line " + std::to_string(i) + " of the memo.";
    text.resize(text_length, '.');
    Paragraph paragraph;
    paragraph.runs.push_back({Run::Kind::kText, std::move(text), 0});
    if (i % 3 == 0) {
      paragraph.runs.push_back({Run::Kind::kLink, {}, i});
    }
    if (i % 4 == 0) {
      paragraph.has_hide_when = true;
      paragraph.hide_when_area = {0x0A, 0x00, 0x01, 0x02, 0x03, 0x04};
    }
    size += quendral::platform::richtext::BuildRichText({paragraph}).size() - 2;
    paragraphs.push_back(std::move(paragraph));
  }
  return quendral::platform::richtext::BuildRichText(paragraphs);
}

quendral::platform::STATUS CountRecord(char* /*record*/, std::uint16_t /*signature*/,
                                       std::uint32_t /*length*/, void* context) {
  ++*static_cast<std::size_t*>(context);
  return quendral::platform::kNoError;
}

void BM_EnumerateRecords(benchmark::State& state) {
  std::vector<std::uint8_t> value = MakeValue(static_cast<std::size_t>(state.range(0)));
  auto* block = reinterpret_cast<char*>(value.data());
  const auto length = static_cast<std::uint32_t>(value.size() - 2);
  std::size_t records = 0;
  for (auto _ : state) {
    records = 0;
    benchmark::DoNotOptimize(quendral::platform::richtext::EnumerateCompositeRecords(
        block, length, &CountRecord, &records));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * value.size()));
  state.counters["records"] = static_cast<double>(records);
}
// Paragraph text lengths: a short line, and a line of an ordinary memo.
BENCHMARK(BM_EnumerateRecords)->Arg(20)->Arg(64);

// The record count, found by hopping over the records' length fields alone.
std::size_t HopRecords(const std::uint8_t* value, std::size_t size) {
  std::size_t records = 0;
  for (std::size_t offset = 2; offset < size; ++records) {
    const std::uint8_t high = value[offset + 1];
    std::uint32_t length = high;
    if (high == 0xFF) {
      length = value[offset + 2] | value[offset + 3] << 8;
    } else if (high == 0x00) {
      std::memcpy(&length, value + offset + 2, sizeof length);
    }
    offset += length + (length & 1);
  }
  return records;
}

void BM_HopRecords(benchmark::State& state) {
  const std::vector<std::uint8_t> value = MakeValue(static_cast<std::size_t>(state.range(0)));
  std::size_t records = 0;
  for (auto _ : state) {
    records = HopRecords(value.data(), value.size());
    benchmark::DoNotOptimize(records);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * value.size()));
  state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(BM_HopRecords)->Arg(20)->Arg(64);

}  // namespace

BENCHMARK_MAIN();
