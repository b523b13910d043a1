// Which Windows the machine runs, and its version text.
#include "platform/base/ascii.h"
#include "util/system_report/system_report.h"

namespace quendral::util {
namespace {

// `workstation`, or the server code after it when the product type says so.
int NtKind(const SystemFacts& facts, int workstation) {
  return base::EqualsIgnoringAsciiCase(facts.ProductType(), "SERVERNT") ? workstation + 1
                                                                        : workstation;
}

}  // namespace

int GetWindowsKind(const SystemFacts& facts) {
  os::SystemVersion version;
  if (!facts.ReadSystemVersion(&version)) {
    return 0;
  }
  switch (version.platform) {
    case os::kPlatformWindows9x:
      return version.major > 4 || (version.major == 4 && version.minor > 0) ? 2 : 1;
    case os::kPlatformWindowsNt:
      if (version.major <= 4) {
        return NtKind(facts, 3);
      }
      return version.major == 5 ? NtKind(facts, 5) : 0;
    default:
      return 0;
  }
}

std::string GetWindowsVersionText(const SystemFacts& facts) {
  os::SystemVersion version;
  if (!facts.ReadSystemVersion(&version)) {
    return "Unknown build number";
  }
  std::string text = std::to_string(version.major) + "." + std::to_string(version.minor) +
                     " - Build " + std::to_string(version.build_number);
  if (version.has_service_pack) {
    text += " (Servicepack: " + std::to_string(version.service_pack_major) + "." +
            std::to_string(version.service_pack_minor) + ")";
  }
  return text;
}

}  // namespace quendral::util
