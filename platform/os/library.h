// Loading shared libraries and looking up their exported entries.
//
// A library the layer calls only when it is there (X11, OLE, Windows
// Sockets) gets a table of its entries, bound once per process:
//
//   struct X11Entries {
//     decltype(&XOpenDisplay) open_display;
//     ...
//   };
//
//   const X11Entries* X11() {
//     static X11Entries entries;
//     static const bool bound =
//         BindLibrary("libX11.so.6", {{"XOpenDisplay", &entries.open_display}, ...});
//     return bound ? &entries : nullptr;
//   }
//
// A library a caller names is loaded for a while with LoadedLibrary.
#ifndef QUENDRAL_PLATFORM_OS_LIBRARY_H_
#define QUENDRAL_PLATFORM_OS_LIBRARY_H_

#include <initializer_list>
#include <string>
#include <type_traits>

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

// The entry `name` as a function pointer of type `Function`, such as
// decltype(&XOpenDisplay); null when it is missing.
template <typename Function>
Function FindLibraryFunction(LibraryHandle library, const char* name) {
  static_assert(std::is_function_v<std::remove_pointer_t<Function>>, "a function pointer type");
  return reinterpret_cast<Function>(FindLibraryEntry(library, name));
}

// An entry to look up and the function pointer, of the entry's type, that
// receives it.
class EntryBinding {
 public:
  template <typename Function>
  EntryBinding(const char* name, Function* slot)
      : name_(name), slot_(slot), fill_([](void* slot, LibraryHandle library, const char* name) {
          *static_cast<Function*>(slot) = FindLibraryFunction<Function>(library, name);
          return *static_cast<Function*>(slot) != nullptr;
        }) {}

  // Fills the slot from `library`; false when the entry is missing.
  bool Fill(LibraryHandle library) const { return fill_(slot_, library, name_); }

 private:
  const char* name_;
  void* slot_;
  bool (*fill_)(void* slot, LibraryHandle library, const char* name);
};

// Loads the library at `path` and fills each of `entries`. True when the
// library and every entry were found; the library then stays loaded for the
// rest of the process, as what it made may outlive any one call. False, with
// the library closed again, otherwise.
bool BindLibrary(const std::string& path, std::initializer_list<EntryBinding> entries);

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

  // The entry `name` as a function pointer of type `Function` (by default
  // untyped); null when the library or the entry is missing.
  template <typename Function = LibraryEntry>
  Function Find(const char* name) const {
    return handle_ == nullptr ? nullptr : FindLibraryFunction<Function>(handle_, name);
  }

 private:
  LibraryHandle handle_;
};

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_LIBRARY_H_
