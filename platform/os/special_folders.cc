// Reading the user directories file of the XDG user directories.
#include "platform/os/special_folders.h"

#include <string>

namespace quendral::os {
namespace {

constexpr std::string_view kHome = "$HOME";

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) {
    return {};
  }
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// The text inside the double quotes of `value`, backslash escapes undone;
// false when it is not one quoted text.
bool Unquote(std::string_view value, std::string* text) {
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
    return false;
  }
  text->clear();
  const std::string_view inner = value.substr(1, value.size() - 2);
  for (std::size_t i = 0; i < inner.size(); ++i) {
    if (inner[i] == '"') {
      return false;
    }
    if (inner[i] == '\\') {
      if (++i == inner.size()) {
        return false;
      }
    }
    text->push_back(inner[i]);
  }
  return true;
}

// `value` with a leading $HOME replaced; false when it is neither below
// $HOME nor absolute.
bool ResolveHome(const std::string& value, std::string_view home, std::string* path) {
  const std::string_view text = value;
  if (text.substr(0, kHome.size()) == kHome &&
      (text.size() == kHome.size() || text[kHome.size()] == '/')) {
    *path = std::string(home) + std::string(text.substr(kHome.size()));
    return true;
  }
  if (!text.empty() && text.front() == '/') {
    *path = value;
    return true;
  }
  return false;
}

}  // namespace

bool ParseUserDirectory(std::string_view contents, std::string_view name, std::string_view home,
                        std::string* path) {
  bool found = false;
  while (!contents.empty()) {
    const auto end = contents.find('\n');
    const std::string_view line = TrimBlanks(contents.substr(0, end));
    contents = end == std::string_view::npos ? std::string_view() : contents.substr(end + 1);
    const auto equals = line.find('=');
    if (line.empty() || line.front() == '#' || equals == std::string_view::npos ||
        TrimBlanks(line.substr(0, equals)) != name) {
      continue;
    }
    std::string value;
    std::string resolved;
    if (Unquote(TrimBlanks(line.substr(equals + 1)), &value) &&
        ResolveHome(value, home, &resolved)) {
      *path = std::move(resolved);
      found = true;
    }
  }
  return found;
}

}  // namespace quendral::os
