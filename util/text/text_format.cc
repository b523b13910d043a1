#include <cstdarg>
#include <cstdio>

#include "util/text/text.h"

namespace quendral::util {

os::SystemString ToSystemString(const std::string& text) { return os::AllocSystemString(text); }

void FormatToString(std::string* output, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  va_list measuring;
  va_copy(measuring, arguments);
  const int length = std::vsnprintf(nullptr, 0, format, measuring);
  va_end(measuring);
  if (length < 0) {
    output->clear();
  } else {
    // The string's own terminator takes the byte vsnprintf writes last.
    output->resize(static_cast<std::size_t>(length));
    std::vsnprintf(output->data(), output->size() + 1, format, arguments);
  }
  va_end(arguments);
}

}  // namespace quendral::util
