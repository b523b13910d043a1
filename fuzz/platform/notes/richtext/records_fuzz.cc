// Arbitrary item values through the record walk and the paragraph reader.
// The input is copied into a block of exactly its size, so any read past the
// value's end reaches the sanitizer. Values that read back are rebuilt and
// must read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/notes/richtext/paragraphs.h"
#include "platform/notes/richtext/records.h"

namespace {

using quendral::platform::STATUS;
using quendral::platform::richtext::HideWhenFixedPart;

// Does what the hide-when repair does to a record: reads the fixed part and
// writes over the formula area.
STATUS TouchRecord(char* record, std::uint16_t signature, std::uint32_t length, void* context) {
  auto* checksum = static_cast<std::uint32_t*>(context);
  if (signature == quendral::platform::richtext::kSignatureHideWhen) {
    char* pointer = record;
    HideWhenFixedPart part;
    quendral::platform::richtext::ReadCanonicalStructure(
        &pointer, quendral::platform::richtext::kStructureHideWhen, &part, 1);
    std::memset(pointer, 0, length - quendral::platform::richtext::kHideWhenFixedPartLength);
  }
  *checksum += static_cast<unsigned char>(record[length - 1]);
  return quendral::platform::kNoError;
}

void CheckReadBack(const std::uint8_t* data, std::size_t size) {
  std::vector<quendral::platform::richtext::Paragraph> paragraphs;
  if (!quendral::platform::richtext::ReadParagraphs(data, size, &paragraphs)) {
    return;
  }
  const std::vector<std::uint8_t> rebuilt = quendral::platform::richtext::BuildRichText(paragraphs);
  std::vector<quendral::platform::richtext::Paragraph> again;
  if (!quendral::platform::richtext::ReadParagraphs(rebuilt.data(), rebuilt.size(), &again) ||
      again != paragraphs) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::unique_ptr<char[]> value(new char[size]);
  std::memcpy(value.get(), data, size);
  CheckReadBack(reinterpret_cast<const std::uint8_t*>(value.get()), size);
  if (size < 2 || size - 2 > UINT32_MAX) {
    return 0;
  }
  std::uint32_t checksum = 0;
  quendral::platform::richtext::EnumerateCompositeRecords(
      value.get(), static_cast<std::uint32_t>(size - 2), &TouchRecord, &checksum);
  return 0;
}
