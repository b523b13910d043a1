// The paths of the user's special folders, by Windows folder number (CSIDL).
//
// On Windows this is SHGetSpecialFolderPathA without creating the folder.
// Elsewhere the folders are those of the XDG base and user directories,
// reported when they exist:
//   0x00 desktop, 0x10 desktop directory  XDG_DESKTOP_DIR
//   0x05 documents                        XDG_DOCUMENTS_DIR
//   0x0D music                            XDG_MUSIC_DIR
//   0x0E videos                           XDG_VIDEOS_DIR
//   0x15 templates                        XDG_TEMPLATES_DIR
//   0x27 pictures                         XDG_PICTURES_DIR
//   0x2E shared documents                 XDG_PUBLICSHARE_DIR
//   0x1A application data                 $XDG_CONFIG_HOME, else ~/.config
//   0x1C local application data           $XDG_DATA_HOME, else ~/.local/share
//   0x20 internet cache                   $XDG_CACHE_HOME, else ~/.cache
//   0x28 profile                          $HOME
// The user directories are read from user-dirs.dirs in the configuration
// directory; one it does not name is the home directory, except the
// desktop, which is ~/Desktop.
#ifndef QUENDRAL_PLATFORM_OS_SPECIAL_FOLDERS_H_
#define QUENDRAL_PLATFORM_OS_SPECIAL_FOLDERS_H_

#include <string>
#include <string_view>

namespace quendral::os {

// The user's profile folder: the home directory outside Windows.
inline constexpr int kProfileFolder = 0x28;

// False when the folder number is unknown or the folder does not exist.
bool ReadSpecialFolderPath(int folder, std::string* path);

// The user's home folder, whether or not it exists: on Windows the profile
// folder (HOME plays no part there), else USERPROFILE; elsewhere $HOME, else
// the password database's entry for the effective user. Empty when none of
// them tells.
std::string HomeFolder();

// The directory user-dirs.dirs text `contents` gives for `name` (such as
// "XDG_DOCUMENTS_DIR"): a quoted path, absolute or starting with "$HOME/"
// (or being "$HOME"), which is then replaced by `home`. The last line naming
// it counts. False when no valid line names it.
bool ParseUserDirectory(std::string_view contents, std::string_view name, std::string_view home,
                        std::string* path);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_SPECIAL_FOLDERS_H_
