#include "platform/os/number_format.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

std::string SystemThousandsSeparator() {
  char separator[4] = {};
  if (::GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_STHOUSAND, separator, sizeof(separator)) ==
      0) {
    return {};
  }
  return separator;
}

}  // namespace quendral::os
