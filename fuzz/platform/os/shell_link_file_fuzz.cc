// Shell link files are outside input: any bytes must be read safely.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/os/shell_link_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto target = quendral::os::ShellLinkTarget(std::span<const std::uint8_t>(data, size));
  if (target && target->size() > size) {
    __builtin_trap();  // a target is made only of the file's own bytes
  }
  return 0;
}
