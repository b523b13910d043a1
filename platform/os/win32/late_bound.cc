#include "platform/os/win32/late_bound.h"

namespace quendral::os {
namespace {

template <typename Function>
void Find(HMODULE library, const char* name, Function* function) {
  if (library != nullptr) {
    *function =
        reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(library, name)));
  }
}

LateBoundFunctions Load() {
  // They stay loaded for the life of the process: the objects they make
  // may outlive any one call.
  const HMODULE ole = ::LoadLibraryA("ole32.dll");
  const HMODULE automation = ::LoadLibraryA("oleaut32.dll");
  const HMODULE graphics = ::LoadLibraryA("gdi32.dll");
  LateBoundFunctions functions;
  Find(ole, "CoCreateInstance", &functions.create_instance);
  Find(ole, "CreateStreamOnHGlobal", &functions.create_stream);
  Find(automation, "OleLoadPicture", &functions.load_picture);
  Find(graphics, "GetDeviceCaps", &functions.get_device_caps);
  return functions;
}

}  // namespace

const LateBoundFunctions& LateBound() {
  static const LateBoundFunctions functions = Load();
  return functions;
}

}  // namespace quendral::os
