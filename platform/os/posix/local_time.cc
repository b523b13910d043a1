#include "platform/os/local_time.h"

namespace quendral::os {

bool LocalTimeFields(std::time_t seconds, std::tm* fields) {
  return ::localtime_r(&seconds, fields) != nullptr;
}

void ReloadTimeZone() { ::tzset(); }

}  // namespace quendral::os
