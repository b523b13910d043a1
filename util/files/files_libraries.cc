#include "util/files/files.h"

namespace quendral::util {

int BindLibraryEntryPoints(os::LibraryHandle* library, const std::string& file_name,
                           std::span<const EntryPointBinding> bindings) {
  *library = os::OpenLibrary(file_name);
  if (*library == nullptr) {
    return 0;
  }
  for (const EntryPointBinding& binding : bindings) {
    // Function and object pointers share one representation on every
    // platform the library runs on.
    *binding.slot = reinterpret_cast<void*>(os::FindLibraryEntry(*library, binding.name));
    if (*binding.slot == nullptr) {
      return 0;
    }
  }
  return 1;
}

}  // namespace quendral::util
