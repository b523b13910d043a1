#include "platform/os/win32/system_libraries.h"

#include "platform/os/library.h"

namespace quendral::os {

const Ole32Entries* Ole32() {
  static Ole32Entries entries;
  static const bool bound =
      BindLibrary("ole32.dll", {{"CoCreateInstance", &entries.create_instance},
                                {"CreateStreamOnHGlobal", &entries.create_stream}});
  return bound ? &entries : nullptr;
}

const OleAutomationEntries* OleAutomation() {
  static OleAutomationEntries entries;
  static const bool bound = BindLibrary(
      "oleaut32.dll", {{"OleLoadPicture", &entries.load_picture},
                       {"VarBstrFromCy", &entries.currency_to_text},
                       {"VariantTimeToSystemTime", &entries.variant_time_to_system_time},
                       {"SysFreeString", &entries.free_string}});
  return bound ? &entries : nullptr;
}

const Gdi32Entries* Gdi32() {
  static Gdi32Entries entries;
  static const bool bound = BindLibrary("gdi32.dll", {{"GetDeviceCaps", &entries.get_device_caps}});
  return bound ? &entries : nullptr;
}

}  // namespace quendral::os
