// The module's own version: read from its file once, when the module is
// loaded, and reported by GetMajorVersion, GetMinorVersion and
// GetBuildNumber.
#ifndef QUENDRAL_MODULE_VERSION_H_
#define QUENDRAL_MODULE_VERSION_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/os/module.h"
#include "quendral/quendral.h"

namespace quendral {

struct ModuleVersion {
  std::int32_t major = 0;
  std::int32_t minor = 0;
  std::int32_t build = 0;
  os::ModuleHandle instance = nullptr;
};

// The record a module's "DllGetVersion" entry fills: `size` is set to 20 by
// the caller, the rest by the entry.
struct DllVersionRecord {
  std::uint32_t size = 0;
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platform = 0;
};
static_assert(sizeof(DllVersionRecord) == 20);

// A negative result is a failure.
using DllGetVersionEntry = std::int32_t(QUENDRAL_CALL*)(DllVersionRecord* record);

// The longest FileVersion text kept: 255 characters and a terminator. A
// longer one is cut to kCutVersionTextLength characters.
inline constexpr std::size_t kVersionTextCapacity = 256;
inline constexpr std::size_t kCutVersionTextLength = 250;

// The version the module captured when it was loaded; all 0 until then, and
// after a failed capture.
const ModuleVersion& LoadedModuleVersion();

// What the module does when the system loads it into a process: forget any
// earlier version, remember `instance`, and capture the version from the
// module's file.
void AttachModule(os::ModuleHandle instance);

// Fills major, minor and build of `version` from the module file at
// `module_path`: from its "DllGetVersion" entry when it exports one that
// succeeds, otherwise from the first three numbers of its FileVersion text.
// The file is looked for as given, then in the current, Windows and system
// directories. Leaves `version` untouched and returns false when none of
// this yields three numbers.
bool CaptureModuleVersion(const std::string& module_path, ModuleVersion* version);

// The same, with `folders` in place of the current, Windows and system
// directories, tried in their order; an empty one is passed over.
bool CaptureModuleVersion(const std::string& module_path, const std::vector<std::string>& folders,
                          ModuleVersion* version);

// The FileVersion text of the file at `path`, from the string table that the
// file's translation names (or, without one, the table of the user's default
// language and code page 04B0); cut to kCutVersionTextLength characters when
// it would not fit kVersionTextCapacity. Nothing when the file has no version
// information or no such text.
std::optional<std::string> ReadVersionStringField(const std::string& path);

// Splits `text` in place at `separator`, as strtok would: runs of separators
// count as one, leading ones are skipped, and the end of each piece taken is
// overwritten with '\0', so that a later parse of the same text stops at the
// first cut. The first three pieces, read as decimal integers (leading blanks
// skipped, stopping at the first non-digit, held within the 32-bit range),
// become major, minor and build. Fewer than three pieces: false, and
// `version` is left as it was.
bool ParseVersionNumbers(std::string* text, char separator, ModuleVersion* version);

}  // namespace quendral

#endif  // QUENDRAL_MODULE_VERSION_H_
