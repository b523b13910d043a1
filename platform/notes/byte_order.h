// Little-endian reading and writing of the integers and doubles in item
// values. The reader never reads past the bytes it was given.
#ifndef QUENDRAL_PLATFORM_NOTES_BYTE_ORDER_H_
#define QUENDRAL_PLATFORM_NOTES_BYTE_ORDER_H_

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quendral::platform::bytes {

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t length) : data_(data), remaining_(length) {}

  // Each read fails, consuming nothing, when too few bytes are left.
  bool ReadU16(std::uint16_t* value);
  bool ReadU32(std::uint32_t* value);
  bool ReadDouble(double* value);
  bool Skip(std::size_t count, const std::uint8_t** skipped);

  std::size_t remaining() const { return remaining_; }

 private:
  std::uint64_t ReadLittleEndian(std::size_t width);

  const std::uint8_t* data_;
  std::size_t remaining_;
};

void AppendU16(std::vector<std::uint8_t>* out, std::uint16_t value);
void AppendU32(std::vector<std::uint8_t>* out, std::uint32_t value);
void AppendDouble(std::vector<std::uint8_t>* out, double value);

}  // namespace quendral::platform::bytes

#endif  // QUENDRAL_PLATFORM_NOTES_BYTE_ORDER_H_
