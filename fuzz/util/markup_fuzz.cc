// The one-pass entity encoder against the step-by-step one, and tag
// stripping against its definition by repeated removal.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/util/markup/markup_reference.h"
#include "util/markup/markup.h"

namespace {

int StripByRepeatedRemoval(std::string& text) {
  int removed = 0;
  for (std::size_t open = text.find('<'); open != std::string::npos; open = text.find('<')) {
    const std::size_t close = text.find('>', open);
    if (close == std::string::npos) {
      break;
    }
    text.erase(open, close - open + 1);
    ++removed;
  }
  return removed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);

  std::string encoded = input;
  quendral::util::EncodeEntities(encoded);
  std::string expected = input;
  quendral::util::fixtures::EncodeEntitiesStepByStep(expected);
  if (encoded != expected) {
    std::abort();
  }

  std::string stripped = input;
  std::string stripped_expected = input;
  if (quendral::util::StripMarkupTags(stripped) != StripByRepeatedRemoval(stripped_expected) ||
      stripped != stripped_expected) {
    std::abort();
  }

  const std::string terminated = input.substr(0, input.find('\0'));
  quendral::util::ParseHexPrefix(terminated.c_str());
  return 0;
}
