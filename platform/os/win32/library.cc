#include "platform/os/library.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

const char kLibraryFileSuffix[] = ".dll";

LibraryHandle OpenLibrary(const std::string& path) { return ::LoadLibraryA(path.c_str()); }

LibraryEntry FindLibraryEntry(LibraryHandle library, const char* name) {
  return reinterpret_cast<LibraryEntry>(::GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(LibraryHandle library) { ::FreeLibrary(static_cast<HMODULE>(library)); }

}  // namespace quendral::os
