#include "platform/os/library.h"

#include <dlfcn.h>
#include <link.h>

namespace quendral::os {

const char kLibraryFileSuffix[] = ".so";

LibraryHandle OpenLibrary(const std::string& path) {
  return ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

LibraryEntry FindLibraryEntry(LibraryHandle library, const char* name) {
  void* symbol = ::dlsym(library, name);
  if (symbol == nullptr) {
    return nullptr;
  }
  // dlsym also searches the libraries this one depends on; an entry one of
  // them exports is not this library's.
  link_map* own = nullptr;
  link_map* holder = nullptr;
  Dl_info info;
  if (::dlinfo(library, RTLD_DI_LINKMAP, &own) != 0 ||
      ::dladdr1(symbol, &info, reinterpret_cast<void**>(&holder), RTLD_DL_LINKMAP) == 0 ||
      holder != own) {
    return nullptr;
  }
  return reinterpret_cast<LibraryEntry>(symbol);
}

void CloseLibrary(LibraryHandle library) { ::dlclose(library); }

}  // namespace quendral::os
