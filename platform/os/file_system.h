// Files and directories.
//
// Every path given here may separate its components with the backslash as
// well as the native separator: outside Windows a backslash is taken for a
// "/" (so a backslash can never be part of a file name there).
#ifndef QUENDRAL_PLATFORM_OS_FILE_SYSTEM_H_
#define QUENDRAL_PLATFORM_OS_FILE_SYSTEM_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace quendral::os {

// True for the backslash and the native separator.
bool IsPathSeparator(char c);

// True where a path may begin with a drive of any form ("C:", "\\srv\share"):
// on Windows. Elsewhere a path only takes the drive of a Windows path for
// one.
bool PathsHaveDrives();

// `path` with every backslash turned into the native separator.
std::string NativePath(std::string_view path);

// True when a file or directory of that name exists.
bool PathExists(const std::string& path);

// Creates one directory; false when it could not be made.
bool MakeDirectory(const std::string& path);

// The name the file system stores for the last component of `path` (on
// Windows the long, correctly cased name found by FindFirstFileA; elsewhere
// names are stored as given, so the component itself). False when nothing
// of that name exists.
bool StoredFileName(const std::string& path, std::string* name);

// The short (8.3) form of an existing path (GetShortPathNameA). Outside
// Windows files have no second name: an existing path is its own short form.
bool ShortPathName(const std::string& path, std::string* short_path);

// The directory for temporary files (GetTempPathA; elsewhere "TMPDIR" when
// set, else /tmp), possibly with a trailing separator; empty when unknown.
std::string TempDirectory();

// The size of the existing file, opened for reading with others free to
// read and write it; false when it cannot be opened or measured.
bool FileSize(const std::string& path, std::uint64_t* size);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_FILE_SYSTEM_H_
