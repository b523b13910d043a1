// The processor name: the brand string, or a name decoded from the
// signature.
#include <cstring>

#include "util/processor/processor.h"
#include "util/processor/processor_tables.h"

namespace quendral::util {

bool ProcessorInfo::ReadBrandString() {
  constexpr std::uint32_t kFirstLeaf = 0x80000002;
  for (std::uint32_t leaf = kFirstLeaf; leaf < kFirstLeaf + 3; ++leaf) {
    if (!IsExtendedLeafAvailable(leaf)) {
      return false;
    }
  }
  char brand[49] = {};
  for (std::size_t part = 0; part < 3; ++part) {
    os::CpuidRegisters registers;
    if (!Cpuid(kFirstLeaf + static_cast<std::uint32_t>(part), &registers)) {
      return false;
    }
    const std::uint32_t words[4] = {registers.eax, registers.ebx, registers.ecx, registers.edx};
    std::memcpy(brand + (16 * part), words, sizeof words);
  }
  const char* text = brand;
  if (vendor_ == ProcessorVendor::Intel) {
    // Intel right-aligns its brand strings with blanks. The text starts at
    // its first character that is neither a blank nor a zero byte.
    for (const char& character : brand) {
      if (character != ' ' && character != '\0') {
        text = &character;
        break;
      }
    }
  }
  processor_name_ = text;
  return true;
}

bool ProcessorInfo::DecodeModelName() {
  const char* name = ModelName(
      ModelSignature{vendor_, family_, model_, extended_family_, multiprocessor_capable_});
  if (name == nullptr) {
    return true;
  }
  processor_name_ = name;
  return std::strncmp(name, "Unknown", 7) != 0;
}

}  // namespace quendral::util
