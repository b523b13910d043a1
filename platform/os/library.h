// Loading shared libraries and looking up their exported entries.
#ifndef QUENDRAL_PLATFORM_OS_LIBRARY_H_
#define QUENDRAL_PLATFORM_OS_LIBRARY_H_

#include <string>

namespace quendral::os {

// A loaded library; null when loading failed.
using LibraryHandle = void*;

// An exported entry, to be cast to its real function type before the call.
using LibraryEntry = void (*)();

// The file-name ending of shared libraries: ".dll" or ".so".
extern const char kLibraryFileSuffix[];

// Loads the library at `path` (a bare name is searched for the way the system
// searches for libraries) and runs its load-time code. Each successful call
// needs its own CloseLibrary.
LibraryHandle OpenLibrary(const std::string& path);

// The entry `name` exported by the library itself, not by the libraries it
// depends on; null when it has none.
LibraryEntry FindLibraryEntry(LibraryHandle library, const char* name);

void CloseLibrary(LibraryHandle library);

// Keeps a library loaded for the lifetime of the object.
class LoadedLibrary {
 public:
  explicit LoadedLibrary(const std::string& path) : handle_(OpenLibrary(path)) {}
  ~LoadedLibrary() {
    if (handle_ != nullptr) {
      CloseLibrary(handle_);
    }
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  bool loaded() const { return handle_ != nullptr; }
  LibraryEntry Find(const char* name) const {
    return handle_ == nullptr ? nullptr : FindLibraryEntry(handle_, name);
  }

 private:
  LibraryHandle handle_;
};

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_LIBRARY_H_
