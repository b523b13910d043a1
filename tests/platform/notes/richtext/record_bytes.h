// Hand-made item values for the rich-text tests, held in heap blocks of
// exactly their size so that the sanitizers catch any read past the end.
#ifndef QUENDRAL_TESTS_PLATFORM_NOTES_RICHTEXT_RECORD_BYTES_H_
#define QUENDRAL_TESTS_PLATFORM_NOTES_RICHTEXT_RECORD_BYTES_H_

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

namespace quendral::platform::richtext::fixtures {

class ExactBuffer {
 public:
  explicit ExactBuffer(const std::vector<std::uint8_t>& bytes)
      : size_(bytes.size()), data_(new char[bytes.size()]) {
    std::memcpy(data_.get(), bytes.data(), bytes.size());
  }

  char* data() { return data_.get(); }
  std::size_t size() const { return size_; }
  // The value length as the item query reports it: less the type word.
  std::uint32_t records_length() const { return static_cast<std::uint32_t>(size_ - 2); }

 private:
  std::size_t size_;
  std::unique_ptr<char[]> data_;
};

// A value of `type` holding `records` verbatim.
inline std::vector<std::uint8_t> ValueBytes(std::initializer_list<std::uint8_t> records,
                                            std::uint16_t type = 0x0001) {
  std::vector<std::uint8_t> bytes = {static_cast<std::uint8_t>(type),
                                     static_cast<std::uint8_t>(type >> 8)};
  bytes.insert(bytes.end(), records);
  return bytes;
}

}  // namespace quendral::platform::richtext::fixtures

#endif  // QUENDRAL_TESTS_PLATFORM_NOTES_RICHTEXT_RECORD_BYTES_H_
