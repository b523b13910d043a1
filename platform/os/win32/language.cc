#include "platform/os/language.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

std::uint16_t UserDefaultLanguage() { return ::GetUserDefaultLangID(); }

}  // namespace quendral::os
