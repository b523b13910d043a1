#include "platform/os/language.h"

#include <cstdlib>

namespace quendral::os {

std::uint16_t UserDefaultLanguage() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* locale = std::getenv(variable);
    if (locale != nullptr && locale[0] != '\0') {
      return LanguageOfLocaleName(locale);
    }
  }
  return kEnglishUnitedStates;
}

}  // namespace quendral::os
