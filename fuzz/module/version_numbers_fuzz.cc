// Arbitrary FileVersion texts: both parses run over the same text, as the
// capture runs them, without reading or writing outside it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "module/version.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  quendral::ModuleVersion version;
  if (!quendral::ParseVersionNumbers(&text, '.', &version)) {
    quendral::ParseVersionNumbers(&text, ',', &version);
  }
  return 0;
}
