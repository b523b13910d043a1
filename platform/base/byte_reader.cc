#include "platform/base/byte_reader.h"

#include "platform/base/coding.h"

namespace base {

// Points `taken` at the next `count` bytes and consumes them; false,
// consuming nothing, when fewer are left. Zero bytes are always there, even
// in an input without an address.
bool ByteReader::Take(std::size_t count, const std::uint8_t** taken) {
  if (remaining() < count) {
    return false;
  }
  *taken = bytes_.data() + position_;
  position_ += count;
  return true;
}

bool ByteReader::ReadU8(std::uint8_t* value) {
  const std::uint8_t* bytes = nullptr;
  if (!Take(1, &bytes)) {
    return false;
  }
  *value = *bytes;
  return true;
}

bool ByteReader::ReadU16(std::uint16_t* value) {
  const std::uint8_t* bytes = nullptr;
  if (!Take(2, &bytes)) {
    return false;
  }
  *value = LoadLittle16(bytes);
  return true;
}

bool ByteReader::ReadU32(std::uint32_t* value) {
  const std::uint8_t* bytes = nullptr;
  if (!Take(4, &bytes)) {
    return false;
  }
  *value = LoadLittle32(bytes);
  return true;
}

bool ByteReader::ReadU64(std::uint64_t* value) {
  const std::uint8_t* bytes = nullptr;
  if (!Take(8, &bytes)) {
    return false;
  }
  *value = LoadLittle64(bytes);
  return true;
}

bool ByteReader::ReadBytes(std::size_t count, std::span<const std::uint8_t>* bytes) {
  const std::uint8_t* taken = nullptr;
  if (!Take(count, &taken)) {
    return false;
  }
  *bytes = {taken, count};
  return true;
}

bool ByteReader::Skip(std::size_t count) {
  const std::uint8_t* skipped = nullptr;
  return Take(count, &skipped);
}

bool ByteReader::Seek(std::size_t position) {
  if (position > bytes_.size()) {
    return false;
  }
  position_ = position;
  return true;
}

}  // namespace base
