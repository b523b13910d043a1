// Encoders of byte images that run twice over their source: once without a
// buffer, to count the bytes, then into a buffer of exactly that size. A
// writer has a constructor taking the output (null: count only), Write(source)
// and size(). Usable at compile time, so that a module can carry an image
// as constant data.
#ifndef QUENDRAL_PLATFORM_OS_TWO_PASS_ENCODER_H_
#define QUENDRAL_PLATFORM_OS_TWO_PASS_ENCODER_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quendral::os {

template <typename Writer, typename Source>
constexpr std::size_t EncodedSize(const Source& source) {
  Writer counter(nullptr);
  counter.Write(source);
  return counter.size();
}

// For constant data: kSize is EncodedSize<Writer>(source).
template <typename Writer, std::size_t kSize, typename Source>
constexpr std::array<std::uint8_t, kSize> EncodeToArray(const Source& source) {
  std::array<std::uint8_t, kSize> image{};
  Writer writer(image.data());
  writer.Write(source);
  return image;
}

template <typename Writer, typename Source>
std::vector<std::uint8_t> EncodeToVector(const Source& source) {
  std::vector<std::uint8_t> image(EncodedSize<Writer>(source));
  Writer writer(image.data());
  writer.Write(source);
  return image;
}

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_TWO_PASS_ENCODER_H_
