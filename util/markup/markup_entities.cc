// The encoding is defined as a chain of whole-text replacements run one after
// another: first 01 26 and 01 25 become "~|~#8220;" and "~|~apos;" and "&"
// becomes "&amp;", then every "~|~" (the placeholder, wherever it came from)
// becomes "&", then the markup-special and typographic characters become
// references ("'" and B4 become "&apos;"), and last every "&apos;" becomes
// "'". This file gives the same result in one pass: none of the later
// replacements can match across the text an earlier one wrote, except the
// placeholder and the final "&apos;", which are checked for at the end of the
// output each time a "~" or a ";" is written.
#include <array>
#include <cstdint>
#include <string_view>

#include "util/markup/markup.h"

namespace quendral::util {
namespace {

struct Replacement {
  std::string_view old_bytes;
  std::string_view new_text;
  // Written through the placeholder checks, for texts holding "~" or ";"
  // that later replacements may still act on.
  bool through_checks;
};

// At one position the first replacement whose bytes start there wins; no two
// of these overlap in a way that makes their order matter.
constexpr std::array<Replacement, 32> kReplacements = {{
    {"\x01\x26", "~|~#8220;", true},
    {"\x01\x25", "~|~apos;", true},
    {"&", "&amp;", false},
    {"<", "&lt;", false},
    {">", "&gt;", false},
    {"'", "'", false},
    {"\xB4", "'", false},
    {"\"", "&quot;", false},
    {"\x14\x20\xAC", "&#8364;", false},
    {"\x01\x37", "&#8218;", false},
    {"\x9F", "&#402;", false},
    {"\x01\x36", "&#8222;", false},
    {"\x01\x28", "&#8230;", false},
    {"\x01\x70", "&#8224;", false},
    {"\x01\x71", "&#8225;", false},
    {"\x08\x88", "&#710;", false},
    {"\x02\x7A", "&#8240;", false},
    {"\x06\xE6", "&#352;", false},
    {"\x01\x2E", "&#8249;", false},
    {"\x01\x40", "&#338;", false},
    {"\x01\x2B", "&#8216;", false},
    {"\x01\x2C", "&#8217;", false},
    {"\x01\x38", "&#8221;", false},
    {"\x01\x07", "&#8226;", false},
    {"\x01\x29", "&#8211;", false},
    {"\x01\x2A", "&#8212;", false},
    {"\x03\x98", "&#732;", false},
    {"\x01\x76", "&#8482;", false},
    {"\x06\xE7", "&#353;", false},
    {"\x01\x2F", "&#8250;", false},
    {"\x01\x41", "&#339;", false},
    {"\x01\x42", "&#376;", false},
}};

constexpr std::string_view kPlaceholder = "~|~";
constexpr std::string_view kApostropheReference = "&apos;";

// The replacements grouped by their first byte, in table order within a
// group, and the bytes at which something other than a plain copy may happen.
struct ReplacementIndex {
  std::array<std::uint8_t, kReplacements.size()> order{};
  std::array<std::uint8_t, 256> begin{};
  std::array<std::uint8_t, 256> count{};
  std::array<bool, 256> is_special{};

  constexpr ReplacementIndex() {
    for (const Replacement& replacement : kReplacements) {
      ++count[Lead(replacement)];
    }
    std::uint8_t next = 0;
    for (std::size_t byte = 0; byte < 256; ++byte) {
      begin[byte] = next;
      next = static_cast<std::uint8_t>(next + count[byte]);
      is_special[byte] = count[byte] > 0;
    }
    std::array<std::uint8_t, 256> filled{};
    for (std::size_t i = 0; i < kReplacements.size(); ++i) {
      const unsigned char lead = Lead(kReplacements[i]);
      order[begin[lead] + filled[lead]++] = static_cast<std::uint8_t>(i);
    }
    is_special['~'] = true;
    is_special[';'] = true;
  }

  static constexpr unsigned char Lead(const Replacement& replacement) {
    return static_cast<unsigned char>(replacement.old_bytes.front());
  }
};

constexpr ReplacementIndex kIndex;

bool IsSpecial(char byte) { return kIndex.is_special[static_cast<unsigned char>(byte)]; }

class EntityWriter {
 public:
  explicit EntityWriter(std::size_t expected_size) {
    out_.reserve(expected_size + expected_size / 8);
  }

  void Plain(std::string_view run) { out_.append(run); }

  void Checked(std::string_view text) {
    for (const char byte : text) {
      out_.push_back(byte);
      if (byte == '~') {
        ReplaceTail(kPlaceholder, '&');
      } else if (byte == ';') {
        ReplaceTail(kApostropheReference, '\'');
      }
    }
  }

  std::string Take() { return std::move(out_); }

 private:
  void ReplaceTail(std::string_view tail, char replacement) {
    if (std::string_view(out_).ends_with(tail)) {
      out_.resize(out_.size() - tail.size());
      out_.push_back(replacement);
    }
  }

  std::string out_;
};

const Replacement* ReplacementAt(std::string_view rest) {
  const auto lead = static_cast<unsigned char>(rest.front());
  for (std::size_t i = kIndex.begin[lead]; i < kIndex.begin[lead] + kIndex.count[lead]; ++i) {
    const Replacement& replacement = kReplacements[kIndex.order[i]];
    if (rest.starts_with(replacement.old_bytes)) {
      return &replacement;
    }
  }
  return nullptr;
}

}  // namespace

void EncodeEntities(std::string& text) {
  if (text.empty()) {
    return;
  }
  const std::string_view whole = text;
  EntityWriter writer(whole.size());
  std::size_t position = 0;
  while (position < whole.size()) {
    std::size_t run_end = position;
    while (run_end < whole.size() && !IsSpecial(whole[run_end])) {
      ++run_end;
    }
    writer.Plain(whole.substr(position, run_end - position));
    if (run_end == whole.size()) {
      break;
    }
    const std::string_view rest = whole.substr(run_end);
    const Replacement* replacement = ReplacementAt(rest);
    if (replacement == nullptr) {
      writer.Checked(rest.substr(0, 1));
      position = run_end + 1;
    } else {
      if (replacement->through_checks) {
        writer.Checked(replacement->new_text);
      } else {
        writer.Plain(replacement->new_text);
      }
      position = run_end + replacement->old_bytes.size();
    }
  }
  text = writer.Take();
}

}  // namespace quendral::util
