// Item values read from stored bytes: every decoder stays inside the bytes it
// is given, and what it accepts encodes back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "platform/notes/api/item_values.h"
#include "repair/link_table.h"

namespace {

namespace values = quendral::platform::values;

void ExpectSame(const values::Bytes& encoded, const std::uint8_t* data, std::size_t size) {
  if (encoded.size() != size || !std::equal(encoded.begin(), encoded.end(), data)) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
  // An exactly sized copy, so that reading one byte too far is caught.
  const std::vector<std::uint8_t> bytes(input, input + size);
  const std::uint8_t* data = bytes.data();

  std::vector<std::string> texts;
  values::Bytes encoded;
  if (values::DecodeTextList(data, size, &texts) == quendral::platform::kNoError && size > 0 &&
      values::EncodeTextList(texts, &encoded) == quendral::platform::kNoError) {
    ExpectSame(encoded, data, size);
  }
  std::vector<double> numbers;
  values::DecodeNumbers(quendral::platform::kTypeNumberList, data, size, &numbers);
  values::DecodeNumbers(quendral::platform::kTypeNumber, data, size, &numbers);
  std::vector<quendral::platform::formula::DateTime> times;
  if (values::DecodeTimeList(data, size, &times) == quendral::platform::kNoError && size > 0 &&
      values::EncodeTimeList(times, &encoded) == quendral::platform::kNoError) {
    ExpectSame(encoded, data, size);
  }
  std::vector<quendral::NoteLink> links;
  const std::span<const std::uint8_t> table(data, size);
  quendral::DecodeLinkTable(table, quendral::LinkTableReading::kEntriesThatFit, &links);
  if (quendral::DecodeLinkTable(table, quendral::LinkTableReading::kWholeTable, &links) &&
      size > 0 && quendral::EncodeLinkTable(links, &encoded)) {
    ExpectSame(encoded, data, size);
  }
  std::vector<quendral::platform::richtext::Paragraph> paragraphs;
  values::DecodeRichText(data, size, &paragraphs);
  quendral::platform::formula::Value value;
  for (const std::uint16_t type :
       {quendral::platform::kTypeTextList, quendral::platform::kTypeNumberList,
        quendral::platform::kTypeTimeList, quendral::platform::kTypeNumber}) {
    values::DecodeFormulaValue(type, data, size, &value);
  }
  return 0;
}
