// Files, paths, processes and libraries: free functions over the file
// system, the shell, processes and shared libraries. Each call is
// independent and keeps no state.
//
// Paths are 8-bit texts, searched by whole characters of the process's code
// page. The textual helpers (SplitPath, SanitizePath, SanitizePathComponent)
// take the backslash and the native separator for separators, as the
// functions that reach the file system do: on Windows the backslash only, so
// that "/" there is a character to clean. A drive is "C:" (on Windows any
// colon makes the first two characters one; elsewhere only a letter and a
// colon at the start do) or a network share "\\server\share".
#ifndef QUENDRAL_UTIL_FILES_FILES_H_
#define QUENDRAL_UTIL_FILES_FILES_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/os/library.h"
#include "platform/os/module.h"

namespace quendral::util {

// The longest path the system calls here are asked to fill.
inline constexpr std::size_t kMaxPathLength = 260;

// The parts of a path, as SplitPath finds them.
struct PathParts {
  // "C:", or for a network path "\\server\share"; empty when there is none.
  std::string drive;
  // The directories between the drive and the name, with the separators
  // between them as written, without a leading or trailing one.
  std::string directory;
  // The file name without its extension.
  std::string name;
  // The text after the last dot of the file name, without the dot.
  std::string extension;
  // Whether a backslash separated the drive from the rest (always so for an
  // absolute path). False for a relative path such as "a\b" or a
  // drive-relative one such as "C:a\b", whose characters all stay in the
  // directory or the name.
  bool rooted = false;
};

// Cuts `path` into its parts. With `is_directory` the whole path after the
// drive is the directory and name and extension are empty. A network path
// naming only a server and share ("\\srv\share") is all drive.
void SplitPath(const std::string& path, bool is_directory, PathParts* parts);

// Makes one path component acceptable as a file name, in place: a component
// over 250 characters is cut to 250 and "..." appended; < > become ( ), the
// double quote a single quote, and : / \ | ? tab, line feed and bell become
// "-"; then every other character of code 1 to 26 is removed. Returns the
// number of characters replaced or removed (the cut is not counted).
int SanitizePathComponent(std::string* component);

// Sanitizes every directory, the name and the extension of `path` in place
// (`is_directory` as for SplitPath) and rebuilds it with the separator the
// path uses first (a backslash when it has none); a doubled separator
// collapses to one. True when a character was replaced or removed.
bool SanitizePath(std::string* path, bool is_directory);

// True when the whole of `path` exists as directories afterwards; every
// missing one along it is created. Stops at the first directory that cannot
// be created, leaving those created before. False for an empty path.
bool CreateDirectoryTree(const std::string& path);

// CreateDirectoryTree on the directory that is to hold `file_path`.
bool CreateDirectoryForFile(const std::string& file_path);

// `path` with each existing component replaced by the name the file system
// stores for it; from the first missing component on the input is kept.
std::string ExpandLongPath(const std::string& path);

// The system's short form of `path` (double quotes removed first); empty
// when the system has none. Outside Windows, where files have no short
// names, an existing path is its own short form.
std::string GetShortPath(const std::string& path);

// The temporary directory in long form without a trailing separator, when
// it fits in `max_characters` (terminator included); empty otherwise. Its
// length goes to `length`.
std::string GetTempDirectory(std::size_t max_characters, std::size_t* length);

// The same for the Windows directory (elsewhere, see os::WindowsDirectory).
std::string GetWindowsDirectoryPath(std::size_t max_characters, std::size_t* length);

// The target path stored in the shell link file `link_path`; empty when it
// cannot be read. On Windows the calling thread must have COM initialised.
std::string ResolveShortcut(const std::string& link_path);

// The low 32 bits of the file's size; 0 when it cannot be opened or measured.
std::uint32_t QueryFileSize(const std::string& path);

struct PixelSize {
  int width = -1;
  int height = -1;
};

// The size in screen pixels of the picture in the file; (-1, -1) on any
// failure. On Windows the calling thread must have COM initialised.
PixelSize GetImageSizeInPixels(const std::string& path);

// Starts "<program> <arguments>" (at most 255 characters; a longer command
// line is refused), waiting for its end when `wait` is set. 0 when the
// process was started, 1 when not. The process is never left as a zombie.
int RunProgram(bool wait, const std::string& program, const std::string& arguments);

// Starts `command_line` without waiting. Non-zero when the process was
// started, 0 when not: the opposite of RunProgram.
int StartCommandLine(const std::string& command_line);

// One function-pointer slot to fill and the entry name to fill it with.
struct EntryPointBinding {
  void** slot;
  const char* name;
};

// Loads the library `file_name` (its handle, null on failure, goes to
// `library`) and fills each slot, in order, with the address of its entry.
// 1 when the library loaded and every entry was found; at the first missing
// one its slot gets null and 0 is returned, the earlier slots stay filled.
// The library is never unloaded here.
int BindLibraryEntryPoints(os::LibraryHandle* library, const std::string& file_name,
                           std::span<const EntryPointBinding> bindings);

// The text of resource `id` of `module` (null: the executable), empty when
// it is missing. `type` is "HTML" (the standard HTML type), "DATA" (raw
// data), "STRING" (string `id` of the string table), compared without
// regard to case, or else the name of the resource type. Data resources
// are read as text up to their first zero byte.
std::string LoadResourceText(std::uint16_t id, const std::string& type, os::ModuleHandle module);

// String `id` of `module`'s string table, loaded with the module made the
// source of resources for that load (see os::LoadStringWithSource); empty
// when the module has no such string.
std::string LoadModuleString(os::ModuleHandle module, std::uint16_t id);

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_FILES_FILES_H_
