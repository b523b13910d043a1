#include "platform/os/posix/windows_1252.h"

#include <array>
#include <cstddef>

namespace quendral::os {
namespace {

// Bytes 0x80 to 0x9F; every other byte is the character of its own number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
constexpr unsigned char kFirstHigh = 0x80;

}  // namespace

char32_t Windows1252ToUnicode(char byte) {
  const auto code = static_cast<unsigned char>(byte);
  if (code >= kFirstHigh && code < kFirstHigh + kHighControls.size()) {
    return kHighControls[code - kFirstHigh];
  }
  return code;
}

std::optional<char> UnicodeToWindows1252(char32_t character) {
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == character) {
      return static_cast<char>(kFirstHigh + i);
    }
  }
  const bool own_number = character < kFirstHigh || (character >= 0xA0 && character <= 0xFF);
  if (own_number) {
    return static_cast<char>(character);
  }
  return std::nullopt;
}

}  // namespace quendral::os
