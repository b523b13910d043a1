// Little-endian integers at any address. Byte-wise access needs no alignment
// and compiles to single loads and stores on little-endian machines.
#ifndef QUENDRAL_PLATFORM_NOTES_RICHTEXT_LITTLE_ENDIAN_H_
#define QUENDRAL_PLATFORM_NOTES_RICHTEXT_LITTLE_ENDIAN_H_

#include <cstdint>
#include <vector>

namespace quendral::platform::richtext {

inline std::uint16_t LoadLittle16(const void* address) {
  const auto* bytes = static_cast<const std::uint8_t*>(address);
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline std::uint32_t LoadLittle32(const void* address) {
  const auto* bytes = static_cast<const std::uint8_t*>(address);
  return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
         (static_cast<std::uint32_t>(bytes[2]) << 16) |
         (static_cast<std::uint32_t>(bytes[3]) << 24);
}

inline void AppendLittle16(std::uint16_t value, std::vector<std::uint8_t>* out) {
  out->push_back(static_cast<std::uint8_t>(value));
  out->push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void AppendLittle32(std::uint32_t value, std::vector<std::uint8_t>* out) {
  AppendLittle16(static_cast<std::uint16_t>(value), out);
  AppendLittle16(static_cast<std::uint16_t>(value >> 16), out);
}

}  // namespace quendral::platform::richtext

#endif  // QUENDRAL_PLATFORM_NOTES_RICHTEXT_LITTLE_ENDIAN_H_
