#include "platform/os/login_name.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace quendral::os {

// The password database names the effective user; $USER is the fallback for
// users it does not list (containers running under a bare numeric ID).
std::string LoginName() {
  if (const passwd* entry = ::getpwuid(::geteuid());
      entry != nullptr && entry->pw_name != nullptr) {
    return entry->pw_name;
  }
  const char* user = std::getenv("USER");
  return user != nullptr ? user : "";
}

}  // namespace quendral::os
