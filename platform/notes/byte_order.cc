#include "platform/notes/byte_order.h"

#include <bit>

namespace quendral::platform::bytes {
namespace {

void AppendLittleEndian(std::vector<std::uint8_t>* out, std::uint64_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) {
    out->push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}

}  // namespace

std::uint64_t Reader::ReadLittleEndian(std::size_t width) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < width; ++i) {
    value |= static_cast<std::uint64_t>(data_[i]) << (8 * i);
  }
  data_ += width;
  remaining_ -= width;
  return value;
}

bool Reader::ReadU16(std::uint16_t* value) {
  if (remaining_ < 2) {
    return false;
  }
  *value = static_cast<std::uint16_t>(ReadLittleEndian(2));
  return true;
}

bool Reader::ReadU32(std::uint32_t* value) {
  if (remaining_ < 4) {
    return false;
  }
  *value = static_cast<std::uint32_t>(ReadLittleEndian(4));
  return true;
}

bool Reader::ReadDouble(double* value) {
  if (remaining_ < 8) {
    return false;
  }
  *value = std::bit_cast<double>(ReadLittleEndian(8));
  return true;
}

bool Reader::Skip(std::size_t count, const std::uint8_t** skipped) {
  if (remaining_ < count) {
    return false;
  }
  *skipped = data_;
  data_ += count;
  remaining_ -= count;
  return true;
}

void AppendU16(std::vector<std::uint8_t>* out, std::uint16_t value) {
  AppendLittleEndian(out, value, 2);
}

void AppendU32(std::vector<std::uint8_t>* out, std::uint32_t value) {
  AppendLittleEndian(out, value, 4);
}

void AppendDouble(std::vector<std::uint8_t>* out, double value) {
  AppendLittleEndian(out, std::bit_cast<std::uint64_t>(value), 8);
}

}  // namespace quendral::platform::bytes
