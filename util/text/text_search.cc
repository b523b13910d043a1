#include <string_view>

#include "util/text/text.h"

namespace quendral::util {

std::string PopToken(std::string* text, const std::string& separator, bool keep_leading) {
  const std::string_view split_at = separator.empty() ? std::string_view(",") : separator;
  std::size_t start = 0;
  if (!keep_leading) {
    while (text->compare(start, split_at.size(), split_at) == 0) {
      start += split_at.size();
    }
  }
  const std::size_t found = text->find(split_at, start);
  if (found == std::string::npos) {
    std::string token = text->substr(start);
    text->clear();
    return token;
  }
  std::string token = text->substr(start, found - start);
  text->erase(0, found + split_at.size());
  return token;
}

int ReverseFindText(const std::string& text, const std::string& pattern, int start) {
  if (text.empty() || pattern.empty() || start < -1) {
    return -1;
  }
  const std::size_t last = text.size() - 1;
  const std::size_t from =
      start < 0 || static_cast<std::size_t>(start) > last ? last : static_cast<std::size_t>(start);
  const std::size_t found = text.rfind(pattern, from);
  return found == std::string::npos ? -1 : static_cast<int>(found);
}

}  // namespace quendral::util
