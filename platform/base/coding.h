// Fixed-width integers in a byte image, little-endian unless the name says
// otherwise. Byte-wise access needs no alignment, is usable at compile time
// and compiles to single loads and stores on little-endian machines. The
// caller guarantees the bytes are there; ByteReader checks them.
#ifndef QUENDRAL_PLATFORM_BASE_CODING_H_
#define QUENDRAL_PLATFORM_BASE_CODING_H_

#include <bit>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace quendral::base {

// `Byte` is any one-byte type (char, unsigned char, std::byte), so that
// callers keep addresses of their own kind.
template <typename Byte>
constexpr std::uint64_t LoadLittle(const Byte* bytes, std::size_t width) {
  static_assert(sizeof(Byte) == 1);
  std::uint64_t value = 0;
  for (std::size_t i = width; i-- > 0;) {
    value = (value << 8) | static_cast<std::uint8_t>(bytes[i]);
  }
  return value;
}

template <typename Byte>
constexpr std::uint64_t LoadBig(const Byte* bytes, std::size_t width) {
  static_assert(sizeof(Byte) == 1);
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < width; ++i) {
    value = (value << 8) | static_cast<std::uint8_t>(bytes[i]);
  }
  return value;
}

// The width fixed at compile time, spelled out byte by byte: the form the
// compiler turns into one load, which it does not do for a loop.
template <std::size_t kWidth, typename Byte>
constexpr std::uint64_t LoadLittleFixed(const Byte* bytes) {
  static_assert(sizeof(Byte) == 1 && kWidth >= 1 && kWidth <= 8);
  return [bytes]<std::size_t... kIndex>(std::index_sequence<kIndex...>) {
    return ((std::uint64_t{static_cast<std::uint8_t>(bytes[kIndex])} << (8 * kIndex)) | ...);
  }
  (std::make_index_sequence<kWidth>());
}

template <typename Byte>
constexpr std::uint16_t LoadLittle16(const Byte* bytes) {
  return static_cast<std::uint16_t>(LoadLittleFixed<2>(bytes));
}
template <typename Byte>
constexpr std::uint32_t LoadLittle32(const Byte* bytes) {
  return static_cast<std::uint32_t>(LoadLittleFixed<4>(bytes));
}
template <typename Byte>
constexpr std::uint64_t LoadLittle64(const Byte* bytes) {
  return LoadLittleFixed<8>(bytes);
}

constexpr void StoreLittle(std::uint8_t* bytes, std::uint64_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) {
    bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

constexpr void StoreLittle16(std::uint8_t* bytes, std::uint16_t value) {
  StoreLittle(bytes, value, 2);
}
constexpr void StoreLittle32(std::uint8_t* bytes, std::uint32_t value) {
  StoreLittle(bytes, value, 4);
}
constexpr void StoreLittle64(std::uint8_t* bytes, std::uint64_t value) {
  StoreLittle(bytes, value, 8);
}

inline void AppendLittle(std::vector<std::uint8_t>* out, std::uint64_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) {
    out->push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}

inline void AppendLittle16(std::vector<std::uint8_t>* out, std::uint16_t value) {
  AppendLittle(out, value, 2);
}
inline void AppendLittle32(std::vector<std::uint8_t>* out, std::uint32_t value) {
  AppendLittle(out, value, 4);
}
inline void AppendLittle64(std::vector<std::uint8_t>* out, std::uint64_t value) {
  AppendLittle(out, value, 8);
}
// Doubles travel as the little-endian bits of their IEEE 754 form.
inline void AppendLittleDouble(std::vector<std::uint8_t>* out, double value) {
  AppendLittle64(out, std::bit_cast<std::uint64_t>(value));
}

}  // namespace quendral::base

#endif  // QUENDRAL_PLATFORM_BASE_CODING_H_
