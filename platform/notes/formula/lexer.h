// Splits formula text into tokens.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_LEXER_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_LEXER_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/notes/formula/syntax.h"

namespace quendral::platform::formula {

struct Token {
  enum class Kind : std::uint8_t {
    kEnd,
    kError,     // `text` says what is wrong
    kNumber,    // `number`
    kText,      // `text`: the string's contents, escapes resolved
    kName,      // `text`: a field, variable or keyword
    kFunction,  // `text`: '@' and the name
    kAssign,    // :=
    kColon,
    kMinus,
    kNot,
    kMultiply,
    kDivide,
    kPlus,
    kEqual,
    kNotEqual,  // != or <>
    kLess,
    kGreater,
    kLessEqual,
    kGreaterEqual,
    kAnd,
    kOr,
    kLeftParenthesis,
    kRightParenthesis,
    kLeftBracket,
    kRightBracket,
    kSemicolon,
    kPermuted,  // `op`: a permuted operator, '*' and the operator behind it
  };

  Kind kind = Kind::kEnd;
  std::size_t position = 0;  // byte offset of the token's first byte
  std::string text;
  double number = 0;
  Operator op = Operator::kList;  // kPermuted
};

class Lexer {
 public:
  explicit Lexer(std::string_view text) : text_(text) {}

  Token Next();
  // After a '[' that opens a constant: the text up to the closing ']',
  // which is consumed; false when there is none.
  bool ReadBracketed(std::string* text);

 private:
  void SkipSpace();
  Token ReadNumber();
  Token ReadQuoted();
  Token ReadBraced();
  Token ReadName(Token::Kind kind);
  Token ReadOperator();
  Token ReadStarred(std::size_t start);

  std::string_view text_;
  std::size_t offset_ = 0;
};

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_LEXER_H_
