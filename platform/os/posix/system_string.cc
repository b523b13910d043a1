#include "platform/os/system_string.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <new>
#include <vector>

namespace os {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;
// The byte length sits in the two units before the text.
constexpr std::size_t kPrefixUnits = sizeof(std::uint32_t) / sizeof(char16_t);

void AppendUtf16(char32_t character, std::vector<char16_t>* units) {
  if (character > 0x10FFFF || (character >= 0xD800 && character <= 0xDFFF)) {
    character = kReplacementCharacter;
  }
  if (character < 0x10000) {
    units->push_back(static_cast<char16_t>(character));
    return;
  }
  character -= 0x10000;
  units->push_back(static_cast<char16_t>(0xD800 + (character >> 10)));
  units->push_back(static_cast<char16_t>(0xDC00 + (character & 0x3FF)));
}

std::vector<char16_t> ToUtf16(std::string_view text) {
  std::vector<char16_t> units;
  units.reserve(text.size());
  std::mbstate_t state{};
  std::size_t position = 0;
  while (position < text.size()) {
    wchar_t character = 0;
    const std::size_t used =
        std::mbrtowc(&character, text.data() + position, text.size() - position, &state);
    if (used == static_cast<std::size_t>(-1) || used == static_cast<std::size_t>(-2)) {
      // Not a character here, or cut off by the end of the text.
      AppendUtf16(kReplacementCharacter, &units);
      state = std::mbstate_t{};
      ++position;
      continue;
    }
    AppendUtf16(static_cast<char32_t>(character), &units);
    position += used == 0 ? 1 : used;
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

}  // namespace os
