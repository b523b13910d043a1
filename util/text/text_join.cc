#include <string_view>

#include "util/text/text.h"

namespace quendral::util {

std::string JoinStrings(const std::string& separator, const std::vector<std::string>& strings,
                        std::size_t first_index) {
  const std::string_view between = separator.empty() ? std::string_view(",") : separator;
  std::string joined;
  for (std::size_t i = first_index; i < strings.size(); ++i) {
    if (i != first_index) {
      joined += between;
    }
    joined += strings[i];
  }
  return joined;
}

}  // namespace quendral::util
