#include "dxl/attribute_text.h"

#include <cstdio>

namespace quendral::dxl {
namespace {

bool IsSpace(char32_t unit) { return unit == ' ' || unit == '\t' || unit == '\n' || unit == '\r'; }

// Walks the code units of a tag.
class TagCursor {
 public:
  TagCursor(std::string_view tag, TextEncoding encoding)
      : tag_(tag), encoding_(encoding), step_(CodeUnitSize(encoding)) {}

  bool AtEnd() const { return offset_ + step_ > tag_.size(); }
  char32_t Peek() const { return AtEnd() ? 0 : CodeUnitAt(tag_, offset_, encoding_); }
  char32_t Next() {
    const char32_t unit = Peek();
    offset_ += step_;
    return unit;
  }
  std::size_t offset() const { return offset_; }
  void SkipSpace() {
    while (!AtEnd() && IsSpace(Peek())) {
      Next();
    }
  }
  // Reads up to (not including) the first unit for which `stop` holds.
  template <typename Stop>
  std::string ReadUntil(Stop stop) {
    std::string text;
    while (!AtEnd() && !stop(Peek())) {
      const char32_t unit = Next();
      text += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return text;
  }

 private:
  std::string_view tag_;
  TextEncoding encoding_;
  std::size_t step_;
  std::size_t offset_ = 0;
};

}  // namespace

std::vector<AttributeSpan> FindAttributes(std::string_view tag, TextEncoding encoding) {
  std::vector<AttributeSpan> attributes;
  TagCursor cursor(tag, encoding);
  cursor.Next();  // "<"
  cursor.ReadUntil([](char32_t unit) { return IsSpace(unit) || unit == '/' || unit == '>'; });
  for (;;) {
    cursor.SkipSpace();
    if (cursor.AtEnd() || cursor.Peek() == '/' || cursor.Peek() == '>') {
      break;
    }
    AttributeSpan attribute;
    attribute.name = cursor.ReadUntil([](char32_t unit) { return IsSpace(unit) || unit == '='; });
    cursor.SkipSpace();
    cursor.Next();  // "="
    cursor.SkipSpace();
    const char32_t quote = cursor.Next();
    attribute.quote = static_cast<char>(quote);
    attribute.value_begin = cursor.offset();
    cursor.ReadUntil([quote](char32_t unit) { return unit == quote; });
    attribute.value_end = cursor.offset();
    cursor.Next();
    attributes.push_back(std::move(attribute));
  }
  return attributes;
}

std::optional<std::string> UndefinedEntityReference(std::string_view tag, TextEncoding encoding) {
  // Most tags have no reference at all: one search of the bytes tells.
  if (tag.find('&') == std::string_view::npos) {
    return std::nullopt;
  }
  TagCursor cursor(tag, encoding);
  while (!cursor.AtEnd()) {
    if (cursor.Next() != '&' || cursor.Peek() == '#') {
      continue;
    }
    const std::string name = cursor.ReadUntil([](char32_t unit) { return unit == ';'; });
    if (name != "amp" && name != "lt" && name != "gt" && name != "apos" && name != "quot") {
      return name;
    }
  }
  return std::nullopt;
}

ReferenceForm ReferenceFormOf(std::string_view tag, TextEncoding encoding) {
  const std::size_t step = CodeUnitSize(encoding);
  for (std::size_t i = 0; i + 3 * step <= tag.size(); i += step) {
    if (CodeUnitAt(tag, i, encoding) != '&' || CodeUnitAt(tag, i + step, encoding) != '#') {
      continue;
    }
    const char32_t kind = CodeUnitAt(tag, i + 2 * step, encoding);
    return kind == 'x' ? ReferenceForm::kHexadecimal : ReferenceForm::kDecimal;
  }
  return ReferenceForm::kNamed;
}

namespace {

std::string CharacterReference(char c, ReferenceForm form) {
  char text[16];
  std::snprintf(text, sizeof text, form == ReferenceForm::kHexadecimal ? "&#x%X;" : "&#%d;",
                static_cast<unsigned>(static_cast<unsigned char>(c)));
  return text;
}

const char* EntityName(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '\'':
      return "&apos;";
    case '"':
      return "&quot;";
    default:
      return nullptr;
  }
}

}  // namespace

std::string EscapeAttributeValue(std::string_view value, char quote, ReferenceForm form) {
  std::string text;
  for (const char c : value) {
    if (c == '&' || c == '<' || c == quote) {
      text += form == ReferenceForm::kNamed ? EntityName(c) : CharacterReference(c, form);
    } else if (c == '\t' || c == '\n' || c == '\r') {
      text +=
          CharacterReference(c, form == ReferenceForm::kHexadecimal ? ReferenceForm::kHexadecimal
                                                                    : ReferenceForm::kDecimal);
    } else {
      text += c;
    }
  }
  return text;
}

}  // namespace quendral::dxl
