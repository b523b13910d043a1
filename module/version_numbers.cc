#include <array>
#include <limits>
#include <string_view>

#include "module/version.h"

namespace quendral {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// As atoi, but a number beyond the 32-bit range is held at its edge instead
// of overflowing.
std::int32_t ParseDecimal(std::string_view piece) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  std::size_t at = 0;
  while (at < piece.size() && IsBlank(piece[at])) {
    ++at;
  }
  bool negative = false;
  if (at < piece.size() && (piece[at] == '+' || piece[at] == '-')) {
    negative = piece[at] == '-';
    ++at;
  }
  std::int64_t value = 0;
  for (; at < piece.size() && IsDigit(piece[at]); ++at) {
    value = std::min(value * 10 + (piece[at] - '0'), kMax + 1);
  }
  return static_cast<std::int32_t>(negative ? -value : std::min(value, kMax));
}

}  // namespace

bool ParseVersionNumbers(std::string* text, char separator, ModuleVersion* version) {
  // The text ends at its first '\0', where an earlier parse may have cut it.
  const std::string_view whole(text->c_str());
  std::array<std::int32_t, 3> numbers{};
  std::size_t found = 0;
  std::size_t at = 0;
  while (found < numbers.size()) {
    at = whole.find_first_not_of(separator, at);
    if (at == std::string_view::npos) {
      break;
    }
    const std::size_t end = std::min(whole.find(separator, at), whole.size());
    numbers[found++] = ParseDecimal(whole.substr(at, end - at));
    if (end == whole.size()) {
      break;
    }
    (*text)[end] = '\0';
    at = end + 1;
  }
  if (found < numbers.size()) {
    return false;
  }
  version->major = numbers[0];
  version->minor = numbers[1];
  version->build = numbers[2];
  return true;
}

}  // namespace quendral
