#include <cstdio>
#include <string_view>

#include "platform/os/number_format.h"
#include "util/text/text.h"

namespace quendral::util {
namespace {

// Fixed point with exactly `places` digits after the point.
std::string FixedPoint(float value, int places) {
  std::string text;
  FormatToString(&text, "%.*f", places, static_cast<double>(value));
  return text;
}

void DropTrailingZeros(std::string* text) {
  if (text->find('.') == std::string::npos || text->find('e') != std::string::npos) {
    return;
  }
  while (text->size() >= 2 && text->back() == '0') {
    text->pop_back();
  }
}

struct ByteUnit {
  std::uint32_t size;
  const char* name;
};

}  // namespace

std::string FormatDecimal(float value, int places) {
  std::string text;
  if (places < 0) {
    FormatToString(&text, "%-g", static_cast<double>(value));
  } else {
    text = FixedPoint(value, places);
  }
  DropTrailingZeros(&text);
  if (!text.empty() && text.back() == '.') {
    text.pop_back();
  }
  return text;
}

std::string GroupThousands(const std::string& separator, std::uint32_t value) {
  std::string text = std::to_string(value);
  for (std::ptrdiff_t at = static_cast<std::ptrdiff_t>(text.size()) - 3; at > 0; at -= 3) {
    text.insert(static_cast<std::size_t>(at), separator);
  }
  return text;
}

std::string FormatByteSize(std::uint32_t size) {
  return FormatByteSize(size, os::SystemThousandsSeparator());
}

std::string FormatByteSize(std::uint32_t size, const std::string& separator) {
  static constexpr ByteUnit kUnits[] = {{1U << 30, "GB"}, {1U << 20, "MB"}, {1U << 10, "kB"}};
  for (const ByteUnit& unit : kUnits) {
    if (size < unit.size) {
      continue;
    }
    const std::string whole = GroupThousands(separator, size / unit.size);
    const auto hundredths =
        static_cast<unsigned>(static_cast<std::uint64_t>(size % unit.size) * 100 / unit.size);
    // Only the fraction may go: a "." separator also stands between digits.
    std::string text;
    if (hundredths == 0) {
      FormatToString(&text, "%s %s", whole.c_str(), unit.name);
    } else {
      FormatToString(&text, "%s.%02u %s", whole.c_str(), hundredths, unit.name);
    }
    return text;
  }
  return GroupThousands(separator, size) + " B";
}

}  // namespace quendral::util
