// Reading little-endian fields front to back from a byte image held by the
// caller, such as a value or a file read from outside. The reader never reads
// past the bytes it was given: a read that needs more than are left fails,
// consuming nothing and leaving its output as it was.
#ifndef QUENDRAL_PLATFORM_BASE_BYTE_READER_H_
#define QUENDRAL_PLATFORM_BASE_BYTE_READER_H_

#include <cstddef>
#include <cstdint>
#include <span>

namespace base {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  ByteReader(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

  bool ReadU8(std::uint8_t* value);
  bool ReadU16(std::uint16_t* value);
  bool ReadU32(std::uint32_t* value);
  bool ReadU64(std::uint64_t* value);
  // The next `count` bytes, which stay the caller's.
  bool ReadBytes(std::size_t count, std::span<const std::uint8_t>* bytes);
  bool Skip(std::size_t count);
  // Moves to `position` from the start; fails beyond the end.
  bool Seek(std::size_t position);

  std::size_t position() const { return position_; }
  std::size_t remaining() const { return bytes_.size() - position_; }
  bool at_end() const { return position_ == bytes_.size(); }

 private:
  bool Take(std::size_t count, const std::uint8_t** taken);

  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

}  // namespace base

#endif  // QUENDRAL_PLATFORM_BASE_BYTE_READER_H_
