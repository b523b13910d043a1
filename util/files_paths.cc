#include <string_view>
#include <vector>

#include "util/files.h"
#include "util/split.h"
#include "util/text.h"

namespace util {
namespace {

constexpr char kBackslash = '\\';
constexpr std::size_t kMaxComponentLength = 250;
constexpr std::string_view kCutMark = "...";

struct Replacement {
  char from;
  char to;
};

// Applied in this order; each replaces every occurrence.
constexpr Replacement kReplacements[] = {
    {'<', '('}, {'>', ')'}, {':', '-'},  {'"', '\''}, {'/', '-'},  {'\\', '-'},
    {'|', '-'}, {'?', '-'}, {'\t', '-'}, {'\n', '-'}, {'\a', '-'},
};

bool IsControlToRemove(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 26;
}

bool StartsWithTwoBackslashes(std::string_view path) {
  return path.size() >= 2 && path[0] == kBackslash && path[1] == kBackslash;
}

// Fills the drive and tells where the rest of the path starts, or npos when
// the path is all drive (a network path naming only a server and share).
std::size_t SplitDrive(std::string_view path, PathParts* parts) {
  std::size_t separator = 0;
  if (StartsWithTwoBackslashes(path)) {
    const std::size_t after_server = path.find(kBackslash, 3);
    separator = after_server == std::string_view::npos ? after_server
                                                       : path.find(kBackslash, after_server + 1);
    if (separator == std::string_view::npos) {
      parts->drive = path;
      return separator;
    }
    parts->drive = path.substr(0, separator);
  } else if (path.find(':') != std::string_view::npos) {
    separator = 2;
    parts->drive = path.substr(0, separator);
  }
  // Only a backslash is dropped there: the first character of a relative
  // path belongs to its directory or name.
  parts->rooted = separator < path.size() && path[separator] == kBackslash;
  return parts->rooted ? separator + 1 : separator;
}

void SplitName(std::string_view path, std::size_t name_start, PathParts* parts) {
  const std::size_t last_dot = path.rfind('.');
  if (last_dot == std::string_view::npos || last_dot < name_start) {
    parts->name = path.substr(name_start);
    return;
  }
  parts->name = path.substr(name_start, last_dot - name_start);
  parts->extension = path.substr(last_dot + 1);
}

std::string SanitizeDirectory(const std::string& directory, int* changed) {
  std::vector<std::string> pieces;
  SplitDelimited(directory, std::string(1, kBackslash), &pieces, false, false);
  for (std::string& piece : pieces) {
    *changed += SanitizePathComponent(&piece);
  }
  return JoinStrings(std::string(1, kBackslash), pieces, 0);
}

std::string RebuildPath(const PathParts& parts) {
  std::string path = parts.drive;
  bool separator_due = parts.rooted;
  if (!parts.directory.empty()) {
    if (separator_due) {
      path += kBackslash;
    }
    path += parts.directory;
    separator_due = true;
  }
  if (!parts.name.empty() && separator_due) {
    path += kBackslash;
  }
  path += parts.name;
  if (!parts.extension.empty()) {
    path += '.';
    path += parts.extension;
  }
  return path;
}

}  // namespace

void SplitPath(const std::string& path, bool is_directory, PathParts* parts) {
  *parts = PathParts();
  const std::string_view text = path;
  const std::size_t start = SplitDrive(text, parts);
  if (start == std::string_view::npos || start > text.size()) {
    return;
  }
  if (is_directory) {
    parts->directory = text.substr(start);
    return;
  }
  const std::size_t last_backslash = text.rfind(kBackslash);
  std::size_t name_start = start;
  if (last_backslash != std::string_view::npos && last_backslash >= start) {
    parts->directory = text.substr(start, last_backslash - start);
    name_start = last_backslash + 1;
  }
  SplitName(text, name_start, parts);
}

int SanitizePathComponent(std::string* component) {
  if (component->size() > kMaxComponentLength) {
    component->resize(kMaxComponentLength);
    component->append(kCutMark);
  }
  int changed = 0;
  for (const Replacement& replacement : kReplacements) {
    for (char& c : *component) {
      if (c == replacement.from) {
        c = replacement.to;
        ++changed;
      }
    }
  }
  const std::size_t size_before = component->size();
  std::erase_if(*component, IsControlToRemove);
  return changed + static_cast<int>(size_before - component->size());
}

bool SanitizePath(std::string* path, bool is_directory) {
  PathParts parts;
  SplitPath(*path, is_directory, &parts);
  int changed = 0;
  if (!parts.directory.empty()) {
    parts.directory = SanitizeDirectory(parts.directory, &changed);
  }
  changed += SanitizePathComponent(&parts.name);
  changed += SanitizePathComponent(&parts.extension);
  *path = RebuildPath(parts);
  return changed > 0;
}

}  // namespace util
