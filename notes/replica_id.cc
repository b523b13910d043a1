#include "notes/replica_id.h"

#include <cstdint>
#include <cstring>

#include "platform/base/ascii.h"

namespace quendral {
namespace {

constexpr std::size_t kDigits = 16;
constexpr std::size_t kWordDigits = 8;

// Up to eight hex digits, stopping at the first character that is not one.
std::uint32_t ParseHexWord(const char* digits) {
  std::uint32_t word = 0;
  for (std::size_t i = 0; i < kWordDigits; ++i) {
    const std::optional<unsigned> value = base::HexDigitValue(digits[i]);
    if (!value) {
      break;
    }
    word = (word << 4) | *value;
  }
  return word;
}

// The ID that 1 to 16 hexadecimal digits write; nothing for other texts.
std::optional<TIMEDATE> ParseDigits(std::string_view digits) {
  if (digits.empty() || digits.size() > kDigits) {
    return std::nullopt;
  }
  std::uint64_t number = 0;
  for (const char c : digits) {
    const std::optional<unsigned> value = base::HexDigitValue(c);
    if (!value) {
      return std::nullopt;
    }
    number = (number << 4) | *value;
  }
  return TIMEDATE{{static_cast<std::uint32_t>(number), static_cast<std::uint32_t>(number >> 32)}};
}

// The digits of "XXXXXXXX:XXXXXXXX" without the colon; any other text as
// it is.
std::string WithoutColon(std::string_view text) {
  std::string digits(text);
  if (digits.size() == kDigits + 1 && digits[kWordDigits] == ':') {
    digits.erase(kWordDigits, 1);
  }
  return digits;
}

}  // namespace

void ParseReplicaIdTextLeniently(const char* text, TIMEDATE* replica_id) {
  if (std::strlen(text) < kDigits) {
    return;
  }
  const bool has_colon = std::strchr(text, ':') != nullptr;
  replica_id->Innards[1] = ParseHexWord(text);
  replica_id->Innards[0] = ParseHexWord(text + (has_colon ? kWordDigits + 1 : kWordDigits));
}

std::optional<TIMEDATE> ParseReplicaIdTextStrictly(std::string_view text) {
  const std::string digits = WithoutColon(text);
  return digits.size() == kDigits ? ParseDigits(digits) : std::nullopt;
}

std::optional<TIMEDATE> ParseReplicaIdTextStrictlyOrPadded(std::string_view text) {
  return ParseDigits(WithoutColon(text));
}

std::string FormatReplicaIdText(const TIMEDATE& replica_id, bool with_colon) {
  char text[kDigits + 1];
  char* end = base::WriteHexWord(replica_id.Innards[1], text);
  if (with_colon) {
    *end++ = ':';
  }
  end = base::WriteHexWord(replica_id.Innards[0], end);
  return std::string(text, end);
}

}  // namespace quendral
