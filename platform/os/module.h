// Modules: the executable and the shared libraries mapped into the process.
#ifndef QUENDRAL_PLATFORM_OS_MODULE_H_
#define QUENDRAL_PLATFORM_OS_MODULE_H_

#include <string>

namespace quendral::os {

// Names a mapped module: its load address (on Windows its instance handle).
// Null names the process's executable where a function accepts it.
using ModuleHandle = void*;

// The module whose code or data holds `address`; null when no module does.
ModuleHandle ModuleContaining(const void* address);

// The full path of the module's file. Relative names the loader kept are made
// absolute against the current directory. False when it cannot be told.
bool ModuleFilePath(ModuleHandle module, std::string* path);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_MODULE_H_
