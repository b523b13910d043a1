#include <cstdio>
#include <ctime>

#include "platform/os/local_time.h"
#include "util/markup/markup.h"

namespace quendral::util {

std::string FormatLocalTimestamp() {
  std::tm fields{};
  if (!os::LocalTimeFields(std::time(nullptr), &fields)) {
    return {};
  }
  char buffer[64];
  const int length = std::snprintf(
      buffer, sizeof buffer, "%04ld-%02ld-%02ldT%02ld.%02ld.%02ld", fields.tm_year + 1900L,
      fields.tm_mon + 1L, static_cast<long>(fields.tm_mday), static_cast<long>(fields.tm_hour),
      static_cast<long>(fields.tm_min), static_cast<long>(fields.tm_sec));
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

}  // namespace quendral::util
