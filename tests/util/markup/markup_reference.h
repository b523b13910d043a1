// The entity encoding written the slow, obvious way: 34 whole-text
// replacements, each over the result of the one before. The tests, the fuzz
// target and the benchmark hold the one-pass encoder against it.
#ifndef QUENDRAL_TESTS_UTIL_MARKUP_MARKUP_REFERENCE_H_
#define QUENDRAL_TESTS_UTIL_MARKUP_MARKUP_REFERENCE_H_

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace quendral::util::fixtures {

inline void ReplaceAll(std::string& text, std::string_view old_bytes, std::string_view new_text) {
  std::string result;
  std::size_t start = 0;
  for (std::size_t found = text.find(old_bytes); found != std::string::npos;
       found = text.find(old_bytes, start)) {
    result.append(text, start, found - start);
    result.append(new_text);
    start = found + old_bytes.size();
  }
  result.append(text, start, std::string::npos);
  text = std::move(result);
}

inline void EncodeEntitiesStepByStep(std::string& text) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 34> kSteps = {{
      {"\x01\x26", "~|~#8220;"},
      {"\x01\x25", "~|~apos;"},
      {"&", "&amp;"},
      {"~|~", "&"},
      {"<", "&lt;"},
      {">", "&gt;"},
      {"'", "&apos;"},
      {"\xB4", "&apos;"},
      {"\"", "&quot;"},
      {"\x14\x20\xAC", "&#8364;"},
      {"\x01\x37", "&#8218;"},
      {"\x9F", "&#402;"},
      {"\x01\x36", "&#8222;"},
      {"\x01\x28", "&#8230;"},
      {"\x01\x70", "&#8224;"},
      {"\x01\x71", "&#8225;"},
      {"\x08\x88", "&#710;"},
      {"\x02\x7A", "&#8240;"},
      {"\x06\xE6", "&#352;"},
      {"\x01\x2E", "&#8249;"},
      {"\x01\x40", "&#338;"},
      {"\x01\x2B", "&#8216;"},
      {"\x01\x2C", "&#8217;"},
      {"\x01\x38", "&#8221;"},
      {"\x01\x07", "&#8226;"},
      {"\x01\x29", "&#8211;"},
      {"\x01\x2A", "&#8212;"},
      {"\x03\x98", "&#732;"},
      {"\x01\x76", "&#8482;"},
      {"\x06\xE7", "&#353;"},
      {"\x01\x2F", "&#8250;"},
      {"\x01\x41", "&#339;"},
      {"\x01\x42", "&#376;"},
      {"&apos;", "'"},
  }};
  if (text.empty()) {
    return;
  }
  for (const auto& [old_bytes, new_text] : kSteps) {
    ReplaceAll(text, old_bytes, new_text);
  }
}

}  // namespace quendral::util::fixtures

#endif  // QUENDRAL_TESTS_UTIL_MARKUP_MARKUP_REFERENCE_H_
