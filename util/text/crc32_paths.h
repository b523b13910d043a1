// The roads to the CRC-32 of a byte block, each continuing a running value
// (the checksum before its final inversion). They give the same results; the
// byte-wise one is the reference the others are checked against.
#ifndef QUENDRAL_UTIL_TEXT_CRC32_PATHS_H_
#define QUENDRAL_UTIL_TEXT_CRC32_PATHS_H_

#include <cstddef>
#include <cstdint>

#include "util/text/text.h"

namespace quendral::util::crc32 {

// One table step per byte.
std::uint32_t UpdateBytewise(const Crc32Table& table, std::uint32_t crc, const unsigned char* data,
                             std::size_t size);

// Eight bytes per step over eight derived tables.
std::uint32_t UpdateSliced(std::uint32_t crc, const unsigned char* data, std::size_t size);

// Whether this processor multiplies without carries (PCLMULQDQ), which
// UpdateFolded needs.
bool HasCarrylessMultiply();

// Folds 64 bytes per step with carry-less multiplication; `size` must be at
// least 64 and a multiple of 16. Only when HasCarrylessMultiply().
std::uint32_t UpdateFolded(std::uint32_t crc, const unsigned char* data, std::size_t size);

// The fastest road this processor offers, for any size.
std::uint32_t UpdateFastest(const Crc32Table& table, std::uint32_t crc, const unsigned char* data,
                            std::size_t size);

}  // namespace quendral::util::crc32

#endif  // QUENDRAL_UTIL_TEXT_CRC32_PATHS_H_
