// Reading little-endian fields front to back from a byte image held by the
// caller, such as a value or a file read from outside. The reader never reads
// past the bytes it was given: a read that needs more than are left fails,
// consuming nothing and leaving its output as it was.
#ifndef QUENDRAL_PLATFORM_BASE_BYTE_READER_H_
#define QUENDRAL_PLATFORM_BASE_BYTE_READER_H_

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/base/coding.h"

namespace quendral::base {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  ByteReader(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

  bool ReadU8(std::uint8_t* value) { return ReadLittle(value); }
  bool ReadU16(std::uint16_t* value) { return ReadLittle(value); }
  bool ReadU32(std::uint32_t* value) { return ReadLittle(value); }
  bool ReadU64(std::uint64_t* value) { return ReadLittle(value); }
  bool ReadDouble(double* value) {
    std::uint64_t bits = 0;
    if (!ReadLittle(&bits)) {
      return false;
    }
    *value = std::bit_cast<double>(bits);
    return true;
  }
  // The next `count` bytes, which stay the caller's.
  bool ReadBytes(std::size_t count, std::span<const std::uint8_t>* bytes) {
    const std::uint8_t* taken = nullptr;
    if (!Take(count, &taken)) {
      return false;
    }
    *bytes = {taken, count};
    return true;
  }
  bool Skip(std::size_t count) {
    const std::uint8_t* skipped = nullptr;
    return Take(count, &skipped);
  }
  // Moves to `position` from the start; fails beyond the end.
  bool Seek(std::size_t position) {
    if (position > bytes_.size()) {
      return false;
    }
    position_ = position;
    return true;
  }

  std::size_t position() const { return position_; }
  std::size_t remaining() const { return bytes_.size() - position_; }
  bool at_end() const { return position_ == bytes_.size(); }

 private:
  // Points `taken` at the next `count` bytes and consumes them; false,
  // consuming nothing, when fewer are left. Zero bytes are always there, even
  // in an input without an address.
  bool Take(std::size_t count, const std::uint8_t** taken) {
    if (remaining() < count) {
      return false;
    }
    *taken = bytes_.data() + position_;
    position_ += count;
    return true;
  }

  template <typename Value>
  bool ReadLittle(Value* value) {
    const std::uint8_t* bytes = nullptr;
    if (!Take(sizeof(Value), &bytes)) {
      return false;
    }
    *value = static_cast<Value>(LoadLittleFixed<sizeof(Value)>(bytes));
    return true;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

}  // namespace quendral::base

#endif  // QUENDRAL_PLATFORM_BASE_BYTE_READER_H_
