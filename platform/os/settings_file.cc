#include "platform/os/settings_file.h"

#include <cctype>

#include "platform/os/ascii_case.h"

namespace quendral::os {
namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The name of a "[name]" line; false for other lines.
bool SectionName(std::string_view line, std::string_view* name) {
  if (line.empty() || line.front() != '[') {
    return false;
  }
  const std::size_t close = line.find(']');
  *name = TrimBlanks(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
  return true;
}

}  // namespace

bool ParseSettingsValue(std::string_view contents, std::string_view section, std::string_view key,
                        std::string* value) {
  bool in_section = false;
  while (!contents.empty()) {
    const std::size_t end = contents.find('\n');
    const std::string_view line = TrimBlanks(contents.substr(0, end));
    contents.remove_prefix(end == std::string_view::npos ? contents.size() : end + 1);
    std::string_view name;
    if (SectionName(line, &name)) {
      if (in_section) {
        return false;
      }
      in_section = EqualsIgnoringCase(name, TrimBlanks(section));
      continue;
    }
    const std::size_t equals = line.find('=');
    if (in_section && equals != std::string_view::npos &&
        EqualsIgnoringCase(TrimBlanks(line.substr(0, equals)), TrimBlanks(key))) {
      value->assign(Unquoted(TrimBlanks(line.substr(equals + 1))));
      return true;
    }
  }
  return false;
}

}  // namespace quendral::os
