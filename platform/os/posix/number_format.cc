#include "platform/os/number_format.h"

#include <langinfo.h>
#include <locale.h>

namespace quendral::os {
namespace {

// The system's limit for the separator, terminator included.
constexpr std::size_t kMaxSeparatorBytes = 4;

}  // namespace

std::string SystemThousandsSeparator() {
  locale_t locale = ::newlocale(LC_NUMERIC_MASK, "", nullptr);
  if (locale == nullptr) {
    return {};
  }
  std::string separator = ::nl_langinfo_l(THOUSEP, locale);
  ::freelocale(locale);
  if (separator.size() >= kMaxSeparatorBytes) {
    separator.resize(kMaxSeparatorBytes - 1);
  }
  return separator;
}

}  // namespace quendral::os
