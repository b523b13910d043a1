#include "util/files/files_error_message.h"

#include <system_error>

namespace quendral::util {

std::string ErrorMessage(int error_number) {
  std::string message = std::generic_category().message(error_number);
  if (message.size() >= kErrorMessageBufferSize) {
    message.resize(kErrorMessageBufferSize - 1);
  }
  return message;
}

}  // namespace quendral::util
