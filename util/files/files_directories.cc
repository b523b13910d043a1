#include <string_view>

#include "platform/os/directories.h"
#include "platform/os/file_system.h"
#include "util/files/files.h"

namespace quendral::util {
namespace {

std::size_t NextSeparator(std::string_view path, std::size_t from) {
  while (from < path.size() && !os::IsPathSeparator(path[from])) {
    ++from;
  }
  return from;
}

bool StartsWithTwoSeparators(std::string_view path) {
  return path.size() >= 2 && os::IsPathSeparator(path[0]) && os::IsPathSeparator(path[1]);
}

// Where the walk over a network path starts: at the separator after the
// share, whose prefixes ("\\server", "\\server\share") are never created.
std::size_t SkipServerAndShare(std::string_view path) {
  const std::size_t after_server = NextSeparator(path, 2);
  return NextSeparator(path, after_server + 1);
}

// Copies the drive letter and colon, or the two separators and server name
// of a network path; returns where the copy stopped.
std::size_t CopyRoot(std::string_view path, std::string* out) {
  std::size_t end = 0;
  if (path.size() >= 2 && path[1] == ':') {
    end = 2;
  } else if (StartsWithTwoSeparators(path)) {
    end = NextSeparator(path, 2);
  }
  out->append(path.substr(0, end));
  return end;
}

std::string DirectoryWithoutTrailingSeparator(std::string directory, std::size_t max_characters,
                                              std::size_t* length) {
  *length = 0;
  if (directory.empty() || directory.size() + 1 > max_characters) {
    return {};
  }
  if (os::IsPathSeparator(directory.back())) {
    directory.pop_back();
  }
  std::string expanded = ExpandLongPath(directory);
  *length = expanded.size();
  return expanded;
}

}  // namespace

bool CreateDirectoryTree(const std::string& path) {
  if (path.empty()) {
    return false;
  }
  std::size_t position = StartsWithTwoSeparators(path) ? SkipServerAndShare(path) : 0;
  while (position < path.size()) {
    position = NextSeparator(path, position + 1);
    const std::string prefix = path.substr(0, position);
    if (!os::PathExists(prefix) && !os::MakeDirectory(prefix)) {
      return false;
    }
  }
  return true;
}

// The directory is everything before the last separator of either kind, so
// that native paths work as well as backslash ones; a bare file name needs
// no directory.
bool CreateDirectoryForFile(const std::string& file_path) {
  std::size_t last = file_path.size();
  while (last > 0 && !os::IsPathSeparator(file_path[last - 1])) {
    --last;
  }
  if (last == 0) {
    return true;
  }
  return CreateDirectoryTree(file_path.substr(0, last));
}

std::string ExpandLongPath(const std::string& path) {
  const std::string_view input = path;
  std::string expanded;
  std::size_t position = CopyRoot(input, &expanded);
  while (position < input.size() && os::IsPathSeparator(input[position])) {
    expanded += input[position];
    const std::size_t start = position + 1;
    position = NextSeparator(input, start);
    const std::size_t component_at = expanded.size();
    expanded.append(input.substr(start, position - start));
    std::string stored;
    if (!os::StoredFileName(expanded, &stored)) {
      expanded.append(input.substr(position));
      return expanded;
    }
    expanded.replace(component_at, std::string::npos, stored);
  }
  expanded.append(input.substr(position));
  return expanded;
}

std::string GetShortPath(const std::string& path) {
  std::string unquoted = path;
  std::erase(unquoted, '"');
  std::string short_path;
  os::ShortPathName(unquoted, &short_path);
  return short_path;
}

std::string GetTempDirectory(std::size_t max_characters, std::size_t* length) {
  return DirectoryWithoutTrailingSeparator(os::TempDirectory(), max_characters, length);
}

std::string GetWindowsDirectoryPath(std::size_t max_characters, std::size_t* length) {
  return DirectoryWithoutTrailingSeparator(os::WindowsDirectory(), max_characters, length);
}

std::uint32_t QueryFileSize(const std::string& path) {
  std::uint64_t size = 0;
  if (!os::FileSize(path, &size)) {
    return 0;
  }
  return static_cast<std::uint32_t>(size);
}

}  // namespace quendral::util
