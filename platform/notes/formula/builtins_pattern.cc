// Pattern matching: @Matches with the language's own patterns and @Like
// with those of SQL. Both match whole texts, character by character.
#include <vector>

#include "platform/notes/formula/builtins.h"
#include "platform/notes/formula/call.h"
#include "platform/notes/formula/text_unicode.h"

namespace quendral::platform::formula {
namespace {

// One element of a pattern: a character of a set (or of none of it), or
// any character; repeated, it matches any number of them.
struct PatternElement {
  std::vector<std::pair<char32_t, char32_t>> ranges;  // empty: any character
  bool negated = false;
  bool repeated = false;

  bool Matches(char32_t c) const {
    if (ranges.empty()) {
      return true;
    }
    bool in = false;
    for (const auto& [low, high] : ranges) {
      in = in || (c >= low && c <= high);
    }
    return in != negated;
  }
};

using Pattern = std::vector<PatternElement>;

// Bounds the table MatchesWhole builds.
constexpr std::size_t kMaxMatchCells = 16 * 1024 * 1024;

PatternElement Literal(char32_t c) { return PatternElement{{{c, c}}, false, false}; }

// @Matches: "?" any character, "*" any text, "{A-Z9}" one of a set, "!"
// anything but the next element, "+" any number of the next element, "\"
// the next character itself.
Pattern ParseMatchesPattern(const std::u32string& text) {
  Pattern pattern;
  bool negate = false;
  bool repeat = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    PatternElement element;
    const char32_t c = text[i];
    if (c == '!') {
      negate = true;
      continue;
    }
    if (c == '+') {
      repeat = true;
      continue;
    }
    if (c == '*') {
      element.repeated = true;
    } else if (c == '{') {
      const std::size_t close = text.find('}', i + 1);
      const std::size_t end = close == std::u32string::npos ? text.size() : close;
      std::size_t k = i + 1;
      if (k < end && text[k] == '!') {
        element.negated = true;
        ++k;
      }
      for (; k < end; ++k) {
        const bool range = k + 2 < end && text[k + 1] == '-';
        element.ranges.emplace_back(text[k], range ? text[k + 2] : text[k]);
        k += range ? 2 : 0;
      }
      i = end;
    } else if (c != '?') {
      element = Literal(c == '\\' && i + 1 < text.size() ? text[++i] : c);
    }
    if (negate) {
      element.negated = !element.negated;
      if (element.ranges.empty()) {
        element.ranges.emplace_back(0, 0x10FFFF);  // "!?" matches nothing
      }
    }
    element.repeated = element.repeated || repeat;
    negate = repeat = false;
    pattern.push_back(std::move(element));
  }
  return pattern;
}

// @Like: "%" any text, "_" any character, the escape character before
// either the character itself.
Pattern ParseLikePattern(const std::u32string& text, char32_t escape) {
  Pattern pattern;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (escape != 0 && text[i] == escape && i + 1 < text.size()) {
      pattern.push_back(Literal(text[++i]));
    } else if (text[i] == '%') {
      pattern.push_back(PatternElement{{}, false, true});
    } else if (text[i] == '_') {
      pattern.push_back(PatternElement{});
    } else {
      pattern.push_back(Literal(text[i]));
    }
  }
  return pattern;
}

// Whether the whole text matches: a table of which pattern suffixes match
// which text suffixes, so that no pattern takes exponential time.
bool MatchesWhole(const Pattern& pattern, const std::u32string& text) {
  const std::size_t width = text.size() + 1;
  std::vector<char> matches((pattern.size() + 1) * width, 0);
  matches[pattern.size() * width + text.size()] = 1;
  for (std::size_t p = pattern.size(); p-- > 0;) {
    for (std::size_t t = width; t-- > 0;) {
      const PatternElement& element = pattern[p];
      const bool one = t < text.size() && element.Matches(text[t]);
      matches[p * width + t] =
          element.repeated ? (matches[(p + 1) * width + t] || (one && matches[p * width + t + 1]))
                           : (one && matches[(p + 1) * width + t + 1]);
    }
  }
  return matches[0] != 0;
}

template <typename Parse>
bool MatchTexts(Call& call, Value* result, Parse parse) {
  std::vector<std::string> texts;
  std::vector<std::string> patterns;
  if (!call.EvaluateTexts(0, &texts) || !call.EvaluateTexts(1, &patterns)) {
    return false;
  }
  std::vector<Pattern> parsed;
  for (const std::string& pattern : patterns) {
    parsed.push_back(parse(DecodeText(pattern)));
  }
  bool any = false;
  for (const std::string& text : texts) {
    const std::u32string decoded = DecodeText(text);
    for (const Pattern& pattern : parsed) {
      if ((pattern.size() + 1) * (decoded.size() + 1) > kMaxMatchCells) {
        return call.Fail("the text and the pattern are too long to match");
      }
      any = any || MatchesWhole(pattern, decoded);
    }
  }
  *result = Value::Number(any ? 1 : 0);
  return true;
}

}  // namespace

bool EvaluateMatches(Call& call, Value* result) {
  return MatchTexts(call, result, ParseMatchesPattern);
}

bool EvaluateLike(Call& call, Value* result) {
  std::string escape;
  if (call.size() > 2 && !call.EvaluateText(2, &escape)) {
    return false;
  }
  const std::u32string escape_character = DecodeText(escape);
  const char32_t e = escape_character.empty() ? 0 : escape_character.front();
  return MatchTexts(call, result,
                    [e](const std::u32string& pattern) { return ParseLikePattern(pattern, e); });
}

}  // namespace quendral::platform::formula
