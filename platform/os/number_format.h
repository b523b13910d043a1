// How the system's default locale writes numbers.
//
// On Windows this is GetLocaleInfoA of LOCALE_SYSTEM_DEFAULT. Elsewhere it is
// the locale the environment names (LC_ALL, LC_NUMERIC, LANG), read with
// newlocale and nl_langinfo_l; the "C" locale when that one is not installed.
#ifndef QUENDRAL_PLATFORM_OS_NUMBER_FORMAT_H_
#define QUENDRAL_PLATFORM_OS_NUMBER_FORMAT_H_

#include <string>

namespace quendral::os {

// The separator between groups of three digits, at most three bytes; empty
// when the locale has none or cannot be read.
std::string SystemThousandsSeparator();

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_NUMBER_FORMAT_H_
