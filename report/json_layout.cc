#include "report/json_layout.h"

#include "report/json_text.h"

namespace quendral::report {

// Strings hold no raw line breaks, so each one in the text is the layout's.
std::string NestedJson(const nlohmann::json& value, int depth) {
  const std::string text = JsonText(value, 2);
  const std::string indent(static_cast<std::size_t>(2 * depth), ' ');
  std::string nested;
  nested.reserve(text.size());
  for (char c : text) {
    nested += c;
    if (c == '\n') {
      nested += indent;
    }
  }
  return nested;
}

}  // namespace quendral::report
