// The name the process's user logged in with.
#ifndef QUENDRAL_PLATFORM_OS_LOGIN_NAME_H_
#define QUENDRAL_PLATFORM_OS_LOGIN_NAME_H_

#include <string>

namespace quendral::os {

// Empty when the system cannot tell it.
std::string LoginName();

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_LOGIN_NAME_H_
