#include "notes/universal_id_text.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/base/ascii.h"

namespace quendral {
namespace {

constexpr std::size_t kDigits = 32;
constexpr std::size_t kGroup = 8;

std::uint32_t ParseGroup(const char* digits) {
  char group[kGroup + 1] = {};
  std::memcpy(group, digits, kGroup);
  // Kept to 32 bits as on systems whose unsigned long has 32: a negative
  // group wraps the same on both.
  return static_cast<std::uint32_t>(std::strtoul(group, nullptr, 16));
}

}  // namespace

void ParseUniversalIdText(const char* text, UNIVERSALNOTEID* id) {
  if (text == nullptr || id == nullptr || std::strlen(text) < kDigits) {
    return;
  }
  id->File.Innards[1] = ParseGroup(text);
  id->File.Innards[0] = ParseGroup(text + kGroup);
  id->Note.Innards[1] = ParseGroup(text + 2 * kGroup);
  id->Note.Innards[0] = ParseGroup(text + 3 * kGroup);
}

std::string FormatUniversalIdText(const UNIVERSALNOTEID* id) {
  if (id == nullptr) {
    return std::string();
  }
  std::string text(kDigits, '0');
  char* end = text.data();
  for (std::uint32_t word :
       {id->File.Innards[1], id->File.Innards[0], id->Note.Innards[1], id->Note.Innards[0]}) {
    end = base::WriteHexWord(word, end);
  }
  return text;
}

}  // namespace quendral
