#include "platform/os/library.h"

namespace quendral::os {

bool BindLibrary(const std::string& path, std::initializer_list<EntryBinding> entries) {
  const LibraryHandle library = OpenLibrary(path);
  if (library == nullptr) {
    return false;
  }
  for (const EntryBinding& entry : entries) {
    if (!entry.Fill(library)) {
      CloseLibrary(library);
      return false;
    }
  }
  return true;
}

}  // namespace quendral::os
