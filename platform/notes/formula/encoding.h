// The compiled form of a formula: a four-byte header (two marker bytes and
// the total length, little-endian) and the statements as a prefix-ordered
// tree. The length makes it self-delimiting: whatever follows is not read.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_ENCODING_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_ENCODING_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/notes/formula/syntax.h"

namespace quendral::platform::formula {

inline constexpr std::size_t kCompiledHeaderLength = 4;

// False when the compiled form would exceed kMaxCompiledLength.
bool Encode(const Program& program, std::vector<std::uint8_t>* compiled);

// Reads the compiled formula at `data`, checking every byte of it: false
// unless it is one that Encode could have written within `available` bytes.
// `length` receives the length the formula claims.
bool Decode(const std::uint8_t* data, std::size_t available, Program* program, std::size_t* length);

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_ENCODING_H_
