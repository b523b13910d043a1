#include "report/json_layout.h"

#include "report/json_text.h"

namespace quendral::report {

// Strings hold no raw line breaks, so each one in the text is the layout's.
std::string NestedJson(const nlohmann::json& value, int depth) {
  const std::string text = JsonText(value, 2);
  const std::string indent(static_cast<std::size_t>(2 * depth), ' ');
  std::string nested;
  nested.reserve(text.size() + text.size() / 4);
  std::size_t line = 0;
  for (std::size_t end; (end = text.find('\n', line)) != std::string::npos; line = end + 1) {
    nested.append(text, line, end + 1 - line).append(indent);
  }
  return nested.append(text, line);
}

}  // namespace quendral::report
