#include "platform/os/local_time.h"

namespace quendral::os {

bool LocalTimeFields(std::time_t seconds, std::tm* fields) {
  return ::localtime_s(fields, &seconds) == 0;
}

void ReloadTimeZone() { ::_tzset(); }

}  // namespace quendral::os
