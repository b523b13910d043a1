// Arbitrary bytes as a version block: looking values up and decoding texts
// never reads outside the block.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/os/version_block.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exactly sized copy, so that a read past the end is caught.
  const std::vector<std::uint8_t> block(data, data + size);
  for (const char* path : {"\\", "\\VarFileInfo\\Translation",
                           "\\StringFileInfo\\041404B0\\FileVersion", "\\a\\b\\c\\d"}) {
    if (const auto value = quendral::os::FindVersionBlockValue(block, path)) {
      quendral::os::DecodeUtf16Text(value->bytes);
    }
  }
  quendral::os::DecodeUtf16Text(block);
  return 0;
}
