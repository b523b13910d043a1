#include "module/version.h"

#include "platform/os/directories.h"
#include "platform/os/library.h"

namespace quendral {
namespace {

bool CaptureFromDllGetVersion(const std::string& module_path, ModuleVersion* version) {
  const os::LoadedLibrary library(module_path);
  const auto entry = library.Find<DllGetVersionEntry>("DllGetVersion");
  if (entry == nullptr) {
    return false;
  }
  DllVersionRecord record;
  record.size = sizeof(record);
  if (entry(&record) < 0) {
    return false;
  }
  version->major = static_cast<std::int32_t>(record.major);
  version->minor = static_cast<std::int32_t>(record.minor);
  version->build = static_cast<std::int32_t>(record.build);
  return true;
}

// A dotted FileVersion ("1.2.0.1") is tried first, then the resource
// compiler's own form ("1, 2, 0, 1").
bool CaptureFromVersionText(const std::string& path, ModuleVersion* version) {
  std::optional<std::string> text = ReadVersionStringField(path);
  return text &&
         (ParseVersionNumbers(&*text, '.', version) || ParseVersionNumbers(&*text, ',', version));
}

}  // namespace

bool CaptureModuleVersion(const std::string& module_path, const std::vector<std::string>& folders,
                          ModuleVersion* version) {
  if (CaptureFromDllGetVersion(module_path, version) ||
      CaptureFromVersionText(module_path, version)) {
    return true;
  }
  for (const std::string& folder : folders) {
    if (!folder.empty() && CaptureFromVersionText(os::JoinPath(folder, module_path), version)) {
      return true;
    }
  }
  return false;
}

bool CaptureModuleVersion(const std::string& module_path, ModuleVersion* version) {
  return CaptureModuleVersion(
      module_path, {os::CurrentDirectory(), os::WindowsDirectory(), os::SystemDirectory()},
      version);
}

}  // namespace quendral
