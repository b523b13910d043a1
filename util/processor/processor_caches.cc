// Cache sizes, from the extended leaves or from the descriptors of leaf 2.
#include <algorithm>

#include "util/processor/processor.h"

namespace quendral::util {
namespace {

enum class Cache { kLevel1Instruction, kLevel1Data, kTrace, kLevel2, kLevel3, kNone };

struct Descriptor {
  Cache cache;
  std::int32_t size;  // KB; thousands of micro-operations for the trace cache
};

// What a descriptor byte says; null for a byte no descriptor has.
const Descriptor* FindDescriptor(std::uint8_t byte) {
  struct Entry {
    std::uint8_t byte;
    Descriptor descriptor;
  };
  using enum Cache;
  static constexpr Entry kDescriptors[] = {
      {0x01, {kNone, 0}},
      {0x02, {kNone, 0}},
      {0x03, {kNone, 0}},
      {0x04, {kNone, 0}},
      {0x06, {kLevel1Instruction, 8}},
      {0x08, {kLevel1Instruction, 16}},
      {0x0A, {kLevel1Data, 8}},
      {0x0C, {kLevel1Data, 16}},
      {0x10, {kLevel1Data, 16}},
      {0x15, {kLevel1Instruction, 16}},
      {0x1A, {kLevel2, 96}},
      {0x22, {kLevel3, 512}},
      {0x23, {kLevel3, 1024}},
      {0x25, {kLevel3, 2048}},
      {0x29, {kLevel3, 4096}},
      {0x39, {kLevel2, 128}},
      {0x3C, {kLevel2, 256}},
      {0x40, {kLevel2, 0}},
      {0x41, {kLevel2, 128}},
      {0x42, {kLevel2, 256}},
      {0x43, {kLevel2, 512}},
      {0x44, {kLevel2, 1024}},
      {0x45, {kLevel2, 2048}},
      {0x50, {kNone, 0}},
      {0x51, {kNone, 0}},
      {0x52, {kNone, 0}},
      {0x5B, {kNone, 0}},
      {0x5C, {kNone, 0}},
      {0x5D, {kNone, 0}},
      {0x66, {kLevel1Data, 8}},
      {0x67, {kLevel1Data, 16}},
      {0x68, {kLevel1Data, 32}},
      {0x70, {kTrace, 12}},
      {0x71, {kTrace, 16}},
      {0x72, {kTrace, 32}},
      {0x77, {kLevel1Instruction, 16}},
      {0x79, {kLevel2, 128}},
      {0x7A, {kLevel2, 256}},
      {0x7B, {kLevel2, 512}},
      {0x7C, {kLevel2, 1024}},
      {0x7E, {kLevel2, 256}},
      {0x81, {kLevel2, 128}},
      {0x82, {kLevel2, 256}},
      {0x83, {kLevel2, 512}},
      {0x84, {kLevel2, 1024}},
      {0x85, {kLevel2, 2048}},
      {0x88, {kLevel3, 2048}},
      {0x89, {kLevel3, 4096}},
      {0x8A, {kLevel3, 8192}},
      {0x8D, {kLevel3, 3072}},
      {0x90, {kNone, 0}},
      {0x96, {kNone, 0}},
      {0x9B, {kNone, 0}},
  };
  for (const Entry& entry : kDescriptors) {
    if (entry.byte == byte) {
      return &entry.descriptor;
    }
  }
  return nullptr;
}

// The largest size each cache's descriptors gave; -1 for none.
struct CacheSizes {
  std::int32_t size[5] = {-1, -1, -1, -1, -1};
};

// The 15 descriptor bytes of one answer of leaf 2: EAX bytes 1-3 (byte 0 is
// the pass count), then EBX, ECX and EDX, least significant byte first.
void DescriptorBytes(const os::CpuidRegisters& registers, std::uint8_t (&bytes)[15]) {
  int next = 0;
  for (int byte = 1; byte < 4; ++byte) {
    bytes[next++] = static_cast<std::uint8_t>(registers.eax >> (8 * byte));
  }
  for (const std::uint32_t value : {registers.ebx, registers.ecx, registers.edx}) {
    for (int byte = 0; byte < 4; ++byte) {
      bytes[next++] = static_cast<std::uint8_t>(value >> (8 * byte));
    }
  }
}

// False for a byte that is not a known descriptor.
bool Accumulate(const std::uint8_t (&bytes)[15], CacheSizes* sizes) {
  for (const std::uint8_t byte : bytes) {
    if (byte == 0) {
      continue;
    }
    const Descriptor* descriptor = FindDescriptor(byte);
    if (descriptor == nullptr) {
      return false;
    }
    if (descriptor->cache != Cache::kNone) {
      std::int32_t& size = sizes->size[static_cast<int>(descriptor->cache)];
      size = std::max(size, descriptor->size);
    }
  }
  return true;
}

std::int32_t Level1Size(const CacheSizes& sizes) {
  const std::int32_t instruction = sizes.size[static_cast<int>(Cache::kLevel1Instruction)];
  const std::int32_t data = sizes.size[static_cast<int>(Cache::kLevel1Data)];
  if (instruction != -1 && data != -1) {
    return instruction + data;
  }
  if (instruction != -1 || data != -1) {
    return std::max(instruction, data);
  }
  return sizes.size[static_cast<int>(Cache::kTrace)];
}

}  // namespace

bool ProcessorInfo::DetectCachesFromExtendedLeaves() {
  os::CpuidRegisters registers;
  level1_cache_size_ = -1;
  level2_cache_size_ = -1;
  level3_cache_size_ = -1;
  if (IsExtendedLeafAvailable(0x80000005) && Cpuid(0x80000005, &registers)) {
    level1_cache_size_ = static_cast<std::int32_t>((registers.ecx >> 24) + (registers.edx >> 24));
  }
  if (IsExtendedLeafAvailable(0x80000006) && Cpuid(0x80000006, &registers)) {
    level2_cache_size_ = static_cast<std::int32_t>(registers.ecx >> 16);
  }
  return level1_cache_size_ != -1 || level2_cache_size_ != -1;
}

bool ProcessorInfo::DetectCachesFromDescriptors() {
  CacheSizes sizes;
  std::uint32_t passes = 0;
  os::CpuidRegisters registers;
  do {
    if (!Cpuid(2, &registers)) {
      return false;
    }
    std::uint8_t bytes[15];
    DescriptorBytes(registers, bytes);
    if (!Accumulate(bytes, &sizes)) {
      return false;
    }
    ++passes;
  } while ((registers.eax & 0xFFU) > passes);
  level1_cache_size_ = Level1Size(sizes);
  level2_cache_size_ = sizes.size[static_cast<int>(Cache::kLevel2)];
  level3_cache_size_ = sizes.size[static_cast<int>(Cache::kLevel3)];
  return true;
}

}  // namespace quendral::util
