#include "util/client_window/client_window.h"

#include "platform/os/search_path.h"
#include "platform/os/settings_file.h"

namespace quendral::util {
namespace {

constexpr std::size_t kMaxPathLength = 260;

// The single-window client uses another class for its main window.
constexpr char kSingleWindowClass[] = "NOTESframe";
constexpr char kMultipleWindowClass[] = "NOTES";

}  // namespace

os::WindowHandle FindNotesClientWindow(const std::string& settings_path) {
  std::string settings = settings_path;
  if (settings.empty()) {
    settings = os::SearchPathForFile("Notes.Ini", ".INI", kMaxPathLength);
    if (settings.empty()) {
      return 0;
    }
  }
  const std::string single_window =
      os::ReadSettingsValue(settings, "Notes", "SDI_WINDOW", "", kMaxPathLength);
  const char* first_class =
      !single_window.empty() && single_window[0] == '1' ? kSingleWindowClass : kMultipleWindowClass;
  const os::WindowHandle found = os::FindTopLevelWindow(first_class);
  return found != 0 ? found : os::FindTopLevelWindow(kSingleWindowClass);
}

void SetThreadDebugName(os::ThreadId thread, const char* name) {
  os::SetThreadDebugName(thread, name);
}

}  // namespace quendral::util
