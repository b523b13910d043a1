// Arbitrary replica-ID texts through the three readings: none reads past
// the text, the strict reading takes only what the padded one takes and
// gives the same ID, a strictly read ID formats back to the text's digits,
// and the lenient reading agrees with the strict one on every text the
// strict one takes.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "notes/replica_id.h"

namespace {

void Check(bool holds) {
  if (!holds) {
    __builtin_trap();
  }
}

bool Same(const TIMEDATE& a, const TIMEDATE& b) {
  return a.Innards[0] == b.Innards[0] && a.Innards[1] == b.Innards[1];
}

std::string UpperDigits(std::string text) {
  if (text.size() == 17) {
    text.erase(8, 1);
  }
  for (char& c : text) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Up to the first zero byte, as callers hand texts over.
  const std::string text(reinterpret_cast<const char*>(data),
                         strnlen(reinterpret_cast<const char*>(data), size));
  const std::optional<TIMEDATE> strict = quendral::ParseReplicaIdTextStrictly(text);
  const std::optional<TIMEDATE> padded = quendral::ParseReplicaIdTextStrictlyOrPadded(text);
  const TIMEDATE untouched{{0xA1, 0xB2}};
  TIMEDATE lenient = untouched;
  quendral::ParseReplicaIdTextLeniently(text.c_str(), &lenient);
  if (text.size() < 16) {
    Check(Same(lenient, untouched));
  }
  if (strict) {
    Check(padded && Same(*strict, *padded));
    Check(Same(*strict, lenient));
    Check(quendral::FormatReplicaIdText(*strict, false) == UpperDigits(text));
  }
  if (padded) {
    const std::string digits = quendral::FormatReplicaIdText(*padded, false);
    const std::optional<TIMEDATE> again = quendral::ParseReplicaIdTextStrictly(digits);
    Check(again && Same(*again, *padded));
  }
  return 0;
}
