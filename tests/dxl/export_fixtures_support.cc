#include "dxl/export_fixtures.h"
#include "dxl/text_encoding.h"

namespace quendral::dxl::fixtures {

std::string WithCrLf(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') {
      out += '\r';
    }
    out += c;
  }
  return out;
}

std::string InUtf16(std::string_view text, bool big_endian) {
  const TextEncoding encoding =
      big_endian ? TextEncoding::kUtf16BigEndian : TextEncoding::kUtf16LittleEndian;
  // The byte-order mark, then the text; the declaration says utf-16.
  std::string declared(text);
  const std::string utf8_name = "encoding='utf-8'";
  if (const auto at = declared.find(utf8_name); at != std::string::npos) {
    declared.replace(at, utf8_name.size(), "encoding='utf-16'");
  }
  return EncodeText("\xEF\xBB\xBF" + declared, encoding);
}

std::string Applied(std::string_view input, const std::vector<Change>& changes) {
  std::string out;
  std::size_t copied = 0;
  for (const Change& change : changes) {
    out.append(input.substr(copied, change.span.begin - copied));
    out += change.replacement;
    copied = change.span.end;
  }
  out.append(input.substr(copied));
  return out;
}

std::string ReplacedAfter(std::string text, std::string_view after, std::string_view from,
                          std::string_view to) {
  const std::size_t at = text.find(from, text.find(after));
  text.replace(at, from.size(), to);
  return text;
}

}  // namespace quendral::dxl::fixtures
