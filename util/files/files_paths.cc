#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/os/file_system.h"
#include "util/files/files.h"
#include "util/text/characters.h"
#include "util/text/text.h"

namespace quendral::util {
namespace {

constexpr char kBackslash = '\\';
constexpr std::size_t kMaxComponentLength = 250;
constexpr std::string_view kCutMark = "...";

struct Replacement {
  char from;
  char to;
};

// No character is both replaced and a replacement, so one pass over the
// characters gives what replacing each in turn would.
constexpr Replacement kReplacements[] = {
    {'<', '('}, {'>', ')'}, {':', '-'},  {'"', '\''}, {'/', '-'},  {'\\', '-'},
    {'|', '-'}, {'?', '-'}, {'\t', '-'}, {'\n', '-'}, {'\a', '-'},
};

bool IsControlToRemove(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 26;
}

// The characters that separate path components here: the backslash, and
// the native separator.
std::string_view Separators() {
  static const bool slash_separates = os::IsPathSeparator('/');
  return slash_separates ? "\\/" : "\\";
}

bool IsSeparator(char c) { return Separators().find(c) != std::string_view::npos; }

bool StartsWithTwoBackslashes(std::string_view path) {
  return path.size() >= 2 && path[0] == kBackslash && path[1] == kBackslash;
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Where paths have drives, a colon anywhere makes the first two characters
// the drive; elsewhere only a letter and a colon at the start do, so that a
// native name with a colon ("/data/a:b") keeps it.
bool HasDriveLetter(const Characters& path) {
  if (os::PathsHaveDrives()) {
    return path.FindFirstOf(":") != Characters::npos;
  }
  const std::string_view text = path.text();
  return text.size() >= 2 && IsAsciiLetter(text[0]) && text[1] == ':';
}

// The separator the path uses first; a backslash when it has none.
char SeparatorOf(const Characters& path) {
  const std::size_t first = path.FindFirstOf(Separators());
  return first == Characters::npos ? kBackslash : path.text()[first];
}

// Fills the drive and tells where the rest of the path starts, or npos when
// the path is all drive (a network path naming only a server and share).
std::size_t SplitDrive(const Characters& characters, PathParts* parts) {
  const std::string_view path = characters.text();
  std::size_t separator = 0;
  if (StartsWithTwoBackslashes(path)) {
    // The server's name has at least one character.
    const std::size_t after_server = characters.FindFirstOf(Separators(), characters.End(2));
    separator = after_server == Characters::npos
                    ? after_server
                    : characters.FindFirstOf(Separators(), after_server + 1);
    if (separator == std::string_view::npos) {
      parts->drive = path;
      return separator;
    }
    parts->drive = path.substr(0, separator);
  } else if (HasDriveLetter(characters)) {
    separator = 2;
    parts->drive = path.substr(0, separator);
  }
  // Only a separator is dropped there: the first character of a relative
  // path belongs to its directory or name.
  parts->rooted = separator < path.size() && IsSeparator(path[separator]);
  return parts->rooted ? separator + 1 : separator;
}

void SplitName(const Characters& characters, std::size_t name_start, PathParts* parts) {
  const std::string_view path = characters.text();
  const std::size_t last_dot = characters.FindLastOf(".");
  if (last_dot == std::string_view::npos || last_dot < name_start) {
    parts->name = path.substr(name_start);
    return;
  }
  parts->name = path.substr(name_start, last_dot - name_start);
  parts->extension = path.substr(last_dot + 1);
}

// Sanitizes each directory between separators; empty ones (of doubled
// separators) are dropped.
std::string SanitizeDirectory(std::string_view directory, char separator, int* changed) {
  std::vector<std::string> pieces;
  const Characters characters(directory);
  for (std::size_t start = 0; start < directory.size();) {
    const std::size_t end = std::min(characters.FindFirstOf(Separators(), start), directory.size());
    if (end > start) {
      std::string piece(directory.substr(start, end - start));
      *changed += SanitizePathComponent(&piece);
      pieces.push_back(std::move(piece));
    }
    start = end + 1;
  }
  return JoinStrings(std::string(1, separator), pieces, 0);
}

std::string RebuildPath(const PathParts& parts, char separator) {
  std::string path = parts.drive;
  bool separator_due = parts.rooted;
  if (!parts.directory.empty()) {
    if (separator_due) {
      path += separator;
    }
    path += parts.directory;
    separator_due = true;
  }
  if (!parts.name.empty() && separator_due) {
    path += separator;
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
  const Characters characters(text);
  const std::size_t start = SplitDrive(characters, parts);
  if (start == std::string_view::npos || start > text.size()) {
    return;
  }
  if (is_directory) {
    parts->directory = text.substr(start);
    return;
  }
  const std::size_t last_separator = characters.FindLastOf(Separators());
  std::size_t name_start = start;
  if (last_separator != std::string_view::npos && last_separator >= start) {
    parts->directory = text.substr(start, last_separator - start);
    name_start = last_separator + 1;
  }
  SplitName(characters, name_start, parts);
}

int SanitizePathComponent(std::string* component) {
  if (component->size() > kMaxComponentLength) {
    // The cut falls between whole characters.
    const Characters characters(*component);
    std::size_t cut = 0;
    for (std::size_t next = 0; next <= kMaxComponentLength; next = characters.End(next)) {
      cut = next;
    }
    component->resize(cut);
    component->append(kCutMark);
  }
  int changed = 0;
  // Replacements keep every byte's place and touch no lead byte.
  const Characters characters(*component);
  for (std::size_t at = 0; at < component->size(); at = characters.End(at)) {
    char& c = (*component)[at];
    for (const Replacement& replacement : kReplacements) {
      if (c == replacement.from) {
        c = replacement.to;
        ++changed;
        break;
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
  const char separator = SeparatorOf(Characters(*path));
  if (!parts.directory.empty()) {
    parts.directory = SanitizeDirectory(parts.directory, separator, &changed);
  }
  changed += SanitizePathComponent(&parts.name);
  changed += SanitizePathComponent(&parts.extension);
  *path = RebuildPath(parts, separator);
  return changed > 0;
}

}  // namespace quendral::util
