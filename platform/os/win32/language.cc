#include "platform/os/language.h"

#include "platform/os/win32/windows_headers.h"

namespace os {

std::uint16_t UserDefaultLanguage() { return ::GetUserDefaultLangID(); }

}  // namespace os
