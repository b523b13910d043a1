#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "platform/notes/formula/builtins.h"
#include "platform/notes/formula/call.h"
#include "platform/notes/formula/text_format.h"
#include "platform/notes/formula/text_unicode.h"

namespace quendral::platform::formula {
namespace {

// The longest number at the start of `text` after blanks; false when it
// does not start with one.
bool ParseLeadingNumber(std::string_view text, double* number) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return false;
  }
  text.remove_prefix(first);
  const char* begin = text.data();
  if (!text.empty() && text.front() == '+') {
    ++begin;
  }
  const auto [end, error] =
      std::from_chars(begin, text.data() + text.size(), *number, std::chars_format::general);
  return error == std::errc() && end != begin && std::isfinite(*number);
}

// Strips leading and trailing blanks and collapses runs of blanks.
std::string TrimBlanks(const std::string& text) {
  std::string trimmed;
  for (char c : text) {
    if (c == ' ' && (trimmed.empty() || trimmed.back() == ' ')) {
      continue;
    }
    trimmed.push_back(c);
  }
  if (!trimmed.empty() && trimmed.back() == ' ') {
    trimmed.pop_back();
  }
  return trimmed;
}

template <typename Map>
bool MapTexts(Call& call, Value* result, Map map) {
  std::vector<std::string> texts;
  if (!call.EvaluateTexts(0, &texts)) {
    return false;
  }
  for (std::string& text : texts) {
    text = map(text);
  }
  *result = Value::Texts(std::move(texts));
  return true;
}

// A number of characters, or a text to find, as @Left and its kin take.
struct Cut {
  bool by_count = false;
  double count = 0;
  std::string marker;
};

bool EvaluateCut(Call& call, std::size_t index, Cut* cut) {
  Value value;
  if (!call.Evaluate(index, &value)) {
    return false;
  }
  if (value.kind == ValueKind::kNumber) {
    cut->by_count = true;
    cut->count = value.numbers.empty() ? 0 : value.numbers.front();
    return true;
  }
  if (value.kind != ValueKind::kText) {
    return call.Fail("argument " + std::to_string(index + 1) + " must be a number or text");
  }
  cut->marker = value.texts.empty() ? std::string() : value.texts.front();
  return true;
}

enum class Side : std::uint8_t { kLeft, kRight, kLeftBack, kRightBack };

// @Left: the first n characters, or what precedes the first occurrence.
// @Right: the last n, or what follows the first occurrence. @LeftBack: all
// but the last n, or what precedes the last occurrence. @RightBack: all but
// the first n, or what follows the last occurrence. A negative count keeps
// the whole text; a text that does not occur gives "".
std::string TakeSide(const std::string& text, const Cut& cut, Side side) {
  if (cut.by_count) {
    const std::size_t length = CharacterCount(text);
    if (cut.count < 0) {
      return text;
    }
    const std::size_t count = ClampCount(cut.count, length);
    switch (side) {
      case Side::kLeft:
        return std::string(CharacterSlice(text, 0, count));
      case Side::kRight:
        return std::string(CharacterSlice(text, length - count, count));
      case Side::kLeftBack:
        return std::string(CharacterSlice(text, 0, length - count));
      case Side::kRightBack:
        return std::string(CharacterSlice(text, count, length));
    }
  }
  const bool back = side == Side::kLeftBack || side == Side::kRightBack;
  const std::size_t found = back ? text.rfind(cut.marker) : text.find(cut.marker);
  if (found == std::string::npos || cut.marker.empty()) {
    return std::string();
  }
  return side == Side::kLeft || side == Side::kLeftBack ? text.substr(0, found)
                                                        : text.substr(found + cut.marker.size());
}

bool EvaluateSide(Call& call, Value* result, Side side) {
  std::vector<std::string> texts;
  Cut cut;
  if (!call.EvaluateTexts(0, &texts) || !EvaluateCut(call, 1, &cut)) {
    return false;
  }
  for (std::string& text : texts) {
    text = TakeSide(text, cut, side);
  }
  *result = Value::Texts(std::move(texts));
  return true;
}

// @Middle and @MiddleBack: from a start (a character offset, or the end of
// a text found) a number of characters to the right (or, negative, to the
// left, the character at the start included), or up to a text found.
std::string TakeMiddle(const std::string& text, const Cut& start, const Cut& span, bool back) {
  const auto length = static_cast<double>(CharacterCount(text));
  double first = 0;   // character index where the span starts
  double before = 0;  // character index that a leftward span ends on
  if (start.by_count) {
    first = back ? length - start.count - 1 : start.count;
    before = first;
  } else {
    const std::size_t found = back ? text.rfind(start.marker) : text.find(start.marker);
    if (found == std::string::npos || start.marker.empty()) {
      return std::string();
    }
    before = static_cast<double>(CharacterCount(std::string_view(text).substr(0, found))) - 1;
    first = before + 1 + static_cast<double>(CharacterCount(start.marker));
  }
  first = std::clamp(first, 0.0, length);
  if (!span.by_count) {
    const std::size_t offset = CharacterOffset(text, static_cast<std::size_t>(first));
    const std::size_t end = text.find(span.marker, offset);
    return end == std::string::npos || span.marker.empty() ? std::string()
                                                           : text.substr(offset, end - offset);
  }
  double from = first;
  double to = first + span.count;
  if (span.count < 0) {
    from = before + 1 + span.count;
    to = before + 1;
  }
  from = std::clamp(from, 0.0, length);
  to = std::clamp(to, 0.0, length);
  if (to <= from) {
    return std::string();
  }
  return std::string(
      CharacterSlice(text, static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)));
}

bool EvaluateMiddleOf(Call& call, Value* result, bool back) {
  std::vector<std::string> texts;
  Cut start;
  Cut span;
  if (!call.EvaluateTexts(0, &texts) || !EvaluateCut(call, 1, &start) ||
      !EvaluateCut(call, 2, &span)) {
    return false;
  }
  for (std::string& text : texts) {
    text = TakeMiddle(text, start, span, back);
  }
  *result = Value::Texts(std::move(texts));
  return true;
}

// 1 when any element of the first list passes `test` with any element of
// the second.
template <typename Test>
bool AnyPair(Call& call, Value* result, Test test) {
  std::vector<std::string> texts;
  std::vector<std::string> wanted;
  if (!call.EvaluateTexts(0, &texts) || !call.EvaluateTexts(1, &wanted)) {
    return false;
  }
  const bool any = std::any_of(texts.begin(), texts.end(), [&](const std::string& text) {
    return std::any_of(wanted.begin(), wanted.end(),
                       [&](const std::string& part) { return test(text, part); });
  });
  *result = Value::Number(any ? 1 : 0);
  return true;
}

// Every occurrence of a `from` text replaced by the `to` text of its place,
// the last `to` standing in for missing ones; the first `from` that occurs
// at a place wins.
std::string ReplaceAll(const std::string& text, const std::vector<std::string>& from,
                       const std::vector<std::string>& to) {
  std::string replaced;
  for (std::size_t offset = 0; offset < text.size();) {
    std::size_t which = 0;
    while (which < from.size() &&
           (from[which].empty() || text.compare(offset, from[which].size(), from[which]) != 0)) {
      ++which;
    }
    if (which == from.size()) {
      replaced.push_back(text[offset++]);
      continue;
    }
    replaced += to.empty() ? std::string() : to[std::min(which, to.size() - 1)];
    offset += from[which].size();
  }
  return replaced;
}

}  // namespace

bool EvaluateText(Call& call, Value* result) {
  Value value;
  std::string code;
  if (!call.Evaluate(0, &value) || (call.size() > 1 && !call.EvaluateText(1, &code))) {
    return false;
  }
  if (code.empty()) {
    *result = Value::Texts(ValueAsTexts(value));
    return true;
  }
  std::vector<std::string> texts;
  for (double number : value.numbers) {
    texts.push_back(FormatNumberWithCode(number, code));
  }
  const DateTime now = value.datetimes.empty() ? DateTime{} : call.environment().Now();
  const ZoneRule local = value.datetimes.empty() ? ZoneRule{} : call.environment().LocalZoneRule();
  for (DateTime time : value.datetimes) {
    std::string text;
    if (!FormatTimeWithCode(time, code, now, local, &text)) {
      return call.Fail(text);
    }
    texts.push_back(std::move(text));
  }
  *result = value.kind == ValueKind::kText ? std::move(value) : Value::Texts(std::move(texts));
  return true;
}

// The number a text starts with: "12ABC" gives 12.
bool EvaluateTextToNumber(Call& call, Value* result) {
  Value value;
  if (!call.Evaluate(0, &value)) {
    return false;
  }
  if (value.kind == ValueKind::kNumber) {
    *result = std::move(value);
    return true;
  }
  if (value.kind != ValueKind::kText) {
    return call.Fail("argument 1 must be text");
  }
  std::vector<double> numbers(value.texts.size());
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (!ParseLeadingNumber(value.texts[i], &numbers[i])) {
      return call.Fail("\"" + std::string(CharacterSlice(value.texts[i], 0, 64)) +
                       "\" is not a number");
    }
  }
  *result = Value::Numbers(std::move(numbers));
  return true;
}

// Blank elements are dropped from the list; a list of nothing but blanks
// trims to "".
bool EvaluateTrim(Call& call, Value* result) {
  std::vector<std::string> texts;
  if (!call.EvaluateTexts(0, &texts)) {
    return false;
  }
  std::vector<std::string> trimmed;
  for (const std::string& text : texts) {
    std::string element = TrimBlanks(text);
    if (!element.empty()) {
      trimmed.push_back(std::move(element));
    }
  }
  *result = trimmed.empty() ? Value::Text("") : Value::Texts(std::move(trimmed));
  return true;
}

bool EvaluateUpperCase(Call& call, Value* result) {
  return MapTexts(call, result, [](const std::string& text) { return ToUpperText(text); });
}

bool EvaluateLowerCase(Call& call, Value* result) {
  return MapTexts(call, result, [](const std::string& text) { return ToLowerText(text); });
}

bool EvaluateProperCase(Call& call, Value* result) {
  return MapTexts(call, result, [](const std::string& text) { return ToProperText(text); });
}

bool EvaluateLeft(Call& call, Value* result) { return EvaluateSide(call, result, Side::kLeft); }

bool EvaluateRight(Call& call, Value* result) { return EvaluateSide(call, result, Side::kRight); }

bool EvaluateLeftBack(Call& call, Value* result) {
  return EvaluateSide(call, result, Side::kLeftBack);
}

bool EvaluateRightBack(Call& call, Value* result) {
  return EvaluateSide(call, result, Side::kRightBack);
}

bool EvaluateMiddle(Call& call, Value* result) { return EvaluateMiddleOf(call, result, false); }

bool EvaluateMiddleBack(Call& call, Value* result) { return EvaluateMiddleOf(call, result, true); }

bool EvaluateLength(Call& call, Value* result) {
  std::vector<std::string> texts;
  if (!call.EvaluateTexts(0, &texts)) {
    return false;
  }
  std::vector<double> lengths;
  lengths.reserve(texts.size());
  for (const std::string& text : texts) {
    lengths.push_back(static_cast<double>(CharacterCount(text)));
  }
  *result = Value::Numbers(std::move(lengths));
  return true;
}

bool EvaluateContains(Call& call, Value* result) {
  return AnyPair(call, result, [](const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  });
}

bool EvaluateBegins(Call& call, Value* result) {
  return AnyPair(call, result, [](const std::string& text, const std::string& part) {
    return text.starts_with(part);
  });
}

bool EvaluateEnds(Call& call, Value* result) {
  return AnyPair(call, result, [](const std::string& text, const std::string& part) {
    return text.ends_with(part);
  });
}

bool EvaluateReplaceSubstring(Call& call, Value* result) {
  std::vector<std::string> texts;
  std::vector<std::string> from;
  std::vector<std::string> to;
  if (!call.EvaluateTexts(0, &texts) || !call.EvaluateTexts(1, &from) ||
      !call.EvaluateTexts(2, &to)) {
    return false;
  }
  std::size_t bytes = 0;
  for (std::string& text : texts) {
    text = ReplaceAll(text, from, to);
    bytes += text.size();
  }
  if (!call.CheckSize(texts.size(), bytes)) {
    return false;
  }
  *result = Value::Texts(std::move(texts));
  return true;
}

// @Repeat(text; times; most characters).
bool EvaluateRepeat(Call& call, Value* result) {
  std::vector<std::string> texts;
  double times = 0;
  double most = -1;
  if (!call.EvaluateTexts(0, &texts) || !call.EvaluateNumber(1, &times) ||
      (call.size() > 2 && !call.EvaluateNumber(2, &most))) {
    return false;
  }
  std::size_t bytes = 0;
  for (const std::string& text : texts) {
    bytes += text.size() * ClampCount(times, kMaxValueBytes + 1);
  }
  if (!call.CheckSize(texts.size(), bytes)) {
    return false;
  }
  for (std::string& text : texts) {
    std::string repeated;
    for (std::size_t i = 0; !text.empty() && i < ClampCount(times, kMaxValueBytes); ++i) {
      repeated += text;
    }
    text = most < 0 ? repeated
                    : std::string(CharacterSlice(repeated, 0, ClampCount(most, repeated.size())));
  }
  *result = Value::Texts(std::move(texts));
  return true;
}

bool EvaluateNewLine(Call& /*call*/, Value* result) {
  *result = Value::Text("\n");
  return true;
}

// The character of each code point.
bool EvaluateChar(Call& call, Value* result) {
  std::vector<double> codes;
  if (!call.EvaluateNumbers(0, &codes)) {
    return false;
  }
  std::vector<std::string> texts;
  for (double code : codes) {
    if (!(code >= 1 && code <= 0x10FFFF)) {
      return call.Fail("no character has the code " + FormatNumber(code));
    }
    texts.push_back(EncodeCodePoint(static_cast<char32_t>(code)));
  }
  *result = Value::Texts(std::move(texts));
  return true;
}

// @Unicode(text): the code point of each text's first character, the
// inverse of @Char.
bool EvaluateUnicode(Call& call, Value* result) {
  std::vector<std::string> texts;
  if (!call.EvaluateTexts(0, &texts)) {
    return false;
  }
  std::vector<double> codes;
  codes.reserve(texts.size());
  for (const std::string& text : texts) {
    if (text.empty()) {
      return call.Fail("an empty text has no character");
    }
    codes.push_back(static_cast<double>(DecodeText(CharacterSlice(text, 0, 1)).front()));
  }
  *result = Value::Numbers(std::move(codes));
  return true;
}

// @Word(text; separator; n): the n-th piece between separators, counted
// from the end when n is negative; "" when there is none.
bool EvaluateWord(Call& call, Value* result) {
  std::vector<std::string> texts;
  std::string separator;
  double wanted = 0;
  if (!call.EvaluateTexts(0, &texts) || !call.EvaluateText(1, &separator) ||
      !call.EvaluateNumber(2, &wanted)) {
    return false;
  }
  for (std::string& text : texts) {
    std::vector<std::string> words;
    std::size_t start = 0;
    for (std::size_t end = 0;
         !separator.empty() && (end = text.find(separator, start)) != std::string::npos;
         start = end + separator.size()) {
      words.push_back(text.substr(start, end - start));
    }
    words.push_back(text.substr(start));
    const double index = wanted < 0 ? static_cast<double>(words.size()) + wanted : wanted - 1;
    text = index >= 0 && index < static_cast<double>(words.size())
               ? words[static_cast<std::size_t>(index)]
               : std::string();
  }
  *result = Value::Texts(std::move(texts));
  return true;
}

}  // namespace quendral::platform::formula
