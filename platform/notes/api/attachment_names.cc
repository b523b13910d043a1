#include "platform/notes/api/attachment_names.h"

#include "platform/base/ascii.h"
#include "platform/notes/api/item_values.h"
#include "platform/notes/formula/value.h"

namespace quendral::platform {
namespace {

// The file object record: object kind (2 bytes), its place (4), the name's
// length (2), host, compression, attributes and flags (2 each), size (4),
// two times (8 each); the name follows.
constexpr std::size_t kNameLengthOffset = 6;
constexpr std::size_t kFileRecordLength = 36;
constexpr std::uint16_t kObjectFile = 0;

std::uint16_t Word(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

}  // namespace

std::optional<std::string> AttachmentName(std::string_view item_name, std::uint16_t type,
                                          const std::uint8_t* value, std::size_t length) {
  if (!base::EqualsIgnoringAsciiCase(item_name, kAttachmentItemName)) {
    return std::nullopt;
  }
  if (type == kTypeObject) {
    if (length < kFileRecordLength || Word(value) != kObjectFile) {
      return std::nullopt;
    }
    const std::size_t name_length = Word(value + kNameLengthOffset);
    if (name_length == 0 || name_length > length - kFileRecordLength) {
      return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(value + kFileRecordLength), name_length);
  }
  formula::Value text;
  if (values::DecodeFormulaValue(type, value, length, &text) != kNoError ||
      text.kind != formula::ValueKind::kText || text.texts.empty() || text.texts[0].empty()) {
    return std::nullopt;
  }
  return text.texts[0];
}

}  // namespace quendral::platform
