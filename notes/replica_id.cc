#include "notes/replica_id.h"

#include <cstdint>
#include <cstring>

#include "platform/base/ascii.h"

namespace quendral {
namespace {

// Up to eight hex digits, stopping at the first character that is not one.
std::uint32_t ParseHexWord(const char* digits) {
  std::uint32_t word = 0;
  for (int i = 0; i < 8; ++i) {
    const std::optional<unsigned> value = base::HexDigitValue(digits[i]);
    if (!value) {
      break;
    }
    word = (word << 4) | *value;
  }
  return word;
}

}  // namespace

void ParseReplicaIdText(const char* text, TIMEDATE* replica_id) {
  if (std::strlen(text) < 16) {
    return;
  }
  const bool has_colon = std::strchr(text, ':') != nullptr;
  replica_id->Innards[1] = ParseHexWord(text);
  replica_id->Innards[0] = ParseHexWord(text + (has_colon ? 9 : 8));
}

std::string FormatReplicaIdText(const TIMEDATE& replica_id, bool with_colon) {
  char text[17];
  char* end = base::WriteHexWord(replica_id.Innards[1], text);
  if (with_colon) {
    *end++ = ':';
  }
  end = base::WriteHexWord(replica_id.Innards[0], end);
  return std::string(text, end);
}

}  // namespace quendral
