// The directories a module's file is looked for in, and path joining.
//
// Outside Windows the "Windows directory" is /usr/lib, the root of the
// distribution's libraries, and the "system directory" is /lib, where the
// system's own libraries live.
#ifndef QUENDRAL_PLATFORM_OS_DIRECTORIES_H_
#define QUENDRAL_PLATFORM_OS_DIRECTORIES_H_

#include <string>
#include <string_view>

namespace quendral::os {

// '\\' on Windows, '/' elsewhere.
extern const char kPathSeparator;

// Each is empty when the system cannot tell it.
std::string CurrentDirectory();
std::string WindowsDirectory();
std::string SystemDirectory();

// `directory` and `name` joined by a path separator.
std::string JoinPath(std::string_view directory, std::string_view name);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_DIRECTORIES_H_
