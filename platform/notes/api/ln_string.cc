#include "platform/notes/api/ln_string.h"

#include <utility>

LNString::LNString(const char* text) : text_(text == nullptr ? "" : text) {}

LNString::LNString(const char* text, std::size_t length)
    : text_(text == nullptr ? std::string() : std::string(text, length)) {}

LNString::LNString(std::string text) : text_(std::move(text)) {}

LNString::LNString(std::string_view text) : text_(text) {}

LNString& LNString::Append(std::string_view text) {
  text_.append(text);
  return *this;
}

int LNStringCompare(const LNString& left, const LNString& right, int /*options*/) {
  return left.GetString().compare(right.GetString());
}
