// The user's language as a Windows language identifier (LANGID): primary
// language in the low ten bits, sub-language above them, e.g. 0x0414 for
// Norwegian Bokmål and 0x0409 for English (United States).
#ifndef QUENDRAL_PLATFORM_OS_LANGUAGE_H_
#define QUENDRAL_PLATFORM_OS_LANGUAGE_H_

#include <cstdint>
#include <string_view>

namespace quendral::os {

// The language used when a locale names none we know.
inline constexpr std::uint16_t kEnglishUnitedStates = 0x0409;

// On Windows the user's default language; elsewhere the language of the
// first of LC_ALL, LC_MESSAGES and LANG that is set and not empty.
std::uint16_t UserDefaultLanguage();

// The language of a POSIX locale name such as "nb_NO.UTF-8", "de" or
// "en_GB@euro": the territory's variant when known, else the language's
// usual one; kEnglishUnitedStates for "C", "POSIX" and unknown languages.
std::uint16_t LanguageOfLocaleName(std::string_view locale);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_LANGUAGE_H_
