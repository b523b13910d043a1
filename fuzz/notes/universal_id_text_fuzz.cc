// Arbitrary universal-ID texts: parsing reads no byte past the text's
// terminator, a text shorter than 32 characters leaves the identity as it
// was, and a text that starts with 32 hexadecimal digits formats back to
// them in upper case.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "notes/universal_id_text.h"

namespace {

void Check(bool holds) {
  if (!holds) {
    __builtin_trap();
  }
}

bool StartsWithDigits(const std::string& text) {
  if (text.size() < 32) {
    return false;
  }
  for (std::size_t i = 0; i < 32; ++i) {
    if (std::isxdigit(static_cast<unsigned char>(text[i])) == 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Up to the first zero byte, as callers hand texts over.
  const std::string text(reinterpret_cast<const char*>(data),
                         strnlen(reinterpret_cast<const char*>(data), size));
  const UNIVERSALNOTEID untouched{{{0xA1, 0xB2}}, {{0xC3, 0xD4}}};
  UNIVERSALNOTEID id = untouched;
  quendral::ParseUniversalIdText(text.c_str(), &id);
  const std::string formatted = quendral::FormatUniversalIdText(&id);
  Check(formatted.size() == 32);
  if (text.size() < 32) {
    Check(std::memcmp(&id, &untouched, sizeof id) == 0);
  }
  if (StartsWithDigits(text)) {
    std::string upper = text.substr(0, 32);
    for (char& c : upper) {
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    Check(formatted == upper);
  }
  return 0;
}
