#include "platform/notes/api/local_time.h"

#include <ctime>

#include "platform/os/local_time.h"

namespace quendral::platform::internal {

formula::DateTime CurrentLocalTime() {
  std::tm local{};
  os::LocalTimeFields(std::time(nullptr), &local);
  return formula::MakeDateTime(formula::CivilTime{local.tm_year + 1900, local.tm_mon + 1,
                                                  local.tm_mday, local.tm_hour, local.tm_min,
                                                  local.tm_sec});
}

}  // namespace quendral::platform::internal
