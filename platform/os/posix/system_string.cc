#include "platform/os/system_string.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "platform/os/posix/windows_1252.h"

namespace quendral::os {
namespace {

// The byte length sits in the two units before the text.
constexpr std::size_t kPrefixUnits = sizeof(std::uint32_t) / sizeof(char16_t);

// Every byte is one character of Windows-1252, and each of its characters
// is one UTF-16 unit.
std::vector<char16_t> ToUtf16(std::string_view text) {
  std::vector<char16_t> units;
  units.reserve(text.size());
  for (const char byte : text) {
    units.push_back(static_cast<char16_t>(Windows1252ToUnicode(byte)));
  }
  return units;
}

}  // namespace

SystemString AllocSystemString(std::string_view text) {
  const std::vector<char16_t> units = ToUtf16(text);
  auto* block = new (std::nothrow) char16_t[kPrefixUnits + units.size() + 1];
  if (block == nullptr) {
    return nullptr;
  }
  const auto bytes = static_cast<std::uint32_t>(units.size() * sizeof(char16_t));
  std::memcpy(block, &bytes, sizeof(bytes));
  SystemString result = block + kPrefixUnits;
  std::copy(units.begin(), units.end(), result);
  result[units.size()] = u'\0';
  return result;
}

std::size_t SystemStringLength(SystemString text) {
  if (text == nullptr) {
    return 0;
  }
  std::uint32_t bytes = 0;
  std::memcpy(&bytes, text - kPrefixUnits, sizeof(bytes));
  return bytes / sizeof(char16_t);
}

void FreeSystemString(SystemString text) {
  if (text != nullptr) {
    delete[](text - kPrefixUnits);
  }
}

}  // namespace quendral::os
