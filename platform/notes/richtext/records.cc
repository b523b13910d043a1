#include "platform/notes/richtext/records.h"

#include <cstring>

#include "platform/base/coding.h"
#include "platform/notes/richtext/framing.h"
#include "platform/notes/vocabulary/types.h"

namespace quendral::platform::richtext {
namespace {

constexpr std::uint32_t kTypeWordLength = 2;

HideWhenFixedPart DecodeHideWhenFixedPart(const char* canonical) {
  HideWhenFixedPart part;
  part.signature = base::LoadLittle16(canonical);
  part.length = base::LoadLittle16(canonical + 2);
  part.paragraph_definition_id = base::LoadLittle16(canonical + 4);
  for (std::size_t i = 0; i < 3; ++i) {
    part.reserved[i] = base::LoadLittle16(canonical + 6 + 2 * i);
  }
  return part;
}

}  // namespace

STATUS EnumerateCompositeRecords(char* value_block, std::uint32_t length, RecordAction action,
                                 void* context) {
  if (value_block == nullptr || base::LoadLittle16(value_block) != kTypeCompositeText) {
    return kNoError;
  }
  return EnumerateRecords(value_block + kTypeWordLength, length, action, context);
}

STATUS EnumerateRecords(char* records, std::size_t size, RecordAction action, void* context) {
  return ForEachRecord(records, size, [action, context](char* record, const RecordHeader& header) {
    return action(record, header.signature, header.length, context);
  });
}

void ReadCanonicalStructure(char** pointer, std::uint16_t type, void* destination,
                            std::uint16_t count) {
  if (type != kStructureHideWhen) {
    return;
  }
  // The destination array may itself sit at any address.
  auto* out = static_cast<char*>(destination);
  for (std::uint16_t i = 0; i < count; ++i) {
    const HideWhenFixedPart part = DecodeHideWhenFixedPart(*pointer);
    std::memcpy(out + i * sizeof(part), &part, sizeof(part));
    *pointer += kHideWhenFixedPartLength;
  }
}

std::uint16_t CanonicalStructureLength(std::uint16_t type) {
  return type == kStructureHideWhen ? kHideWhenFixedPartLength : 0;
}

}  // namespace quendral::platform::richtext
