// Arbitrary bytes as a file: the ELF section finder never reads outside it
// nor allocates without bound.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/os/elf_sections.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> file(data, data + size);
  const quendral::os::ReadFileAt read = [&file](std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset > file.size() || file.size() - offset < out.size()) {
      return false;
    }
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return true;
  };
  for (const char* name : {".quendral_version", ".shstrtab", ".text"}) {
    quendral::os::FindElfSection(read, name);
  }
  return 0;
}
