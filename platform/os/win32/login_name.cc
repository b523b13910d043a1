#include "platform/os/login_name.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

std::string LoginName() {
  char name[257] = {};
  DWORD size = sizeof name;
  return ::GetUserNameA(name, &size) ? std::string(name) : std::string();
}

}  // namespace quendral::os
