// The message texts the file helpers give back when a file fails them.
#ifndef QUENDRAL_UTIL_FILES_FILES_ERROR_MESSAGE_H_
#define QUENDRAL_UTIL_FILES_FILES_ERROR_MESSAGE_H_

#include <cstddef>
#include <string>

namespace quendral::util {

// Messages are handed over in buffers of this size, terminator included.
inline constexpr std::size_t kErrorMessageBufferSize = 1024;

// The C library's message for the error number, cut to fit the buffer.
std::string ErrorMessage(int error_number);

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_FILES_FILES_ERROR_MESSAGE_H_
