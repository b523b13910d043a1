#include "platform/notes/formula/lexer.h"

#include <charconv>
#include <system_error>

#include "platform/notes/formula/syntax.h"

namespace quendral::platform::formula {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

Token Make(Token::Kind kind, std::size_t position) {
  Token token;
  token.kind = kind;
  token.position = position;
  return token;
}

Token Error(std::size_t position, std::string message) {
  Token token = Make(Token::Kind::kError, position);
  token.text = std::move(message);
  return token;
}

}  // namespace

Token Lexer::Next() {
  SkipSpace();
  if (offset_ >= text_.size()) {
    return Make(Token::Kind::kEnd, offset_);
  }
  const char c = text_[offset_];
  const bool fraction_start = c == '.' && offset_ + 1 < text_.size() && IsDigit(text_[offset_ + 1]);
  if (IsDigit(c) || fraction_start) {
    return ReadNumber();
  }
  if (c == '"') {
    return ReadQuoted();
  }
  if (c == '{') {
    return ReadBraced();
  }
  if (c == '@') {
    return ReadName(Token::Kind::kFunction);
  }
  if (IsNameStart(c)) {
    return ReadName(Token::Kind::kName);
  }
  return ReadOperator();
}

void Lexer::SkipSpace() {
  while (offset_ < text_.size() && IsSpace(text_[offset_])) {
    ++offset_;
  }
}

Token Lexer::ReadNumber() {
  const std::size_t start = offset_;
  auto skip_digits = [this] {
    while (offset_ < text_.size() && IsDigit(text_[offset_])) {
      ++offset_;
    }
  };
  skip_digits();
  if (offset_ < text_.size() && text_[offset_] == '.') {
    ++offset_;
    skip_digits();
  }
  // An exponent only when digits follow; otherwise the 'e' starts a name.
  if (offset_ < text_.size() && (text_[offset_] == 'e' || text_[offset_] == 'E')) {
    std::size_t digits = offset_ + 1;
    if (digits < text_.size() && (text_[digits] == '+' || text_[digits] == '-')) {
      ++digits;
    }
    if (digits < text_.size() && IsDigit(text_[digits])) {
      offset_ = digits;
      skip_digits();
    }
  }
  Token token = Make(Token::Kind::kNumber, start);
  const char* first = text_.data() + start;
  const char* last = text_.data() + offset_;
  const auto [end, error] = std::from_chars(first, last, token.number);
  if (error == std::errc::result_out_of_range) {
    return Error(start, "Number out of range");
  }
  if (error != std::errc() || end != last) {
    return Error(start, "Invalid number");
  }
  return token;
}

Token Lexer::ReadQuoted() {
  const std::size_t start = offset_++;
  Token token = Make(Token::Kind::kText, start);
  while (offset_ < text_.size()) {
    char c = text_[offset_++];
    if (c == '"') {
      return token;
    }
    // A backslash takes the next byte literally: \" and \\ above all.
    if (c == '\\') {
      if (offset_ >= text_.size()) {
        break;
      }
      c = text_[offset_++];
    }
    token.text.push_back(c);
  }
  return Error(start, "Unterminated string");
}

Token Lexer::ReadBraced() {
  const std::size_t start = offset_++;
  const std::size_t close = text_.find('}', offset_);
  if (close == std::string_view::npos) {
    return Error(start, "Unterminated string");
  }
  Token token = Make(Token::Kind::kText, start);
  token.text = std::string(text_.substr(offset_, close - offset_));
  offset_ = close + 1;
  return token;
}

Token Lexer::ReadName(Token::Kind kind) {
  const std::size_t start = offset_;
  if (kind == Token::Kind::kFunction) {
    ++offset_;
    if (offset_ >= text_.size() || !IsNameStart(text_[offset_])) {
      return Error(start, "Expected a function name after '@'");
    }
  }
  while (offset_ < text_.size() && IsNamePart(text_[offset_])) {
    ++offset_;
  }
  Token token = Make(kind, start);
  token.text = std::string(text_.substr(start, offset_ - start));
  return token;
}

bool Lexer::ReadBracketed(std::string* text) {
  const std::size_t close = text_.find(']', offset_);
  if (close == std::string_view::npos) {
    return false;
  }
  *text = std::string(text_.substr(offset_, close - offset_));
  offset_ = close + 1;
  return true;
}

// '*' takes the operator right behind it as its permuted form: "a*-1" is a
// permuted subtraction, as in the language; "a * -1" multiplies.
Token Lexer::ReadStarred(std::size_t start) {
  struct Permuted {
    std::string_view symbol;
    Operator op;
  };
  static constexpr Permuted kPermuted[] = {
      {"!=", Operator::kPermutedNotEqual},  {"<>", Operator::kPermutedNotEqual},
      {"<=", Operator::kPermutedLessEqual}, {">=", Operator::kPermutedGreaterEqual},
      {"=", Operator::kPermutedEqual},      {"<", Operator::kPermutedLess},
      {">", Operator::kPermutedGreater},    {"+", Operator::kPermutedAdd},
      {"-", Operator::kPermutedSubtract},   {"*", Operator::kPermutedMultiply},
      {"/", Operator::kPermutedDivide},
  };
  const std::string_view rest = text_.substr(offset_);
  for (const Permuted& permuted : kPermuted) {
    if (rest.substr(0, permuted.symbol.size()) == permuted.symbol) {
      offset_ += permuted.symbol.size();
      Token token = Make(Token::Kind::kPermuted, start);
      token.op = permuted.op;
      return token;
    }
  }
  return Make(Token::Kind::kMultiply, start);
}

Token Lexer::ReadOperator() {
  using Kind = Token::Kind;
  const std::size_t start = offset_;
  const char c = text_[offset_++];
  const char next = offset_ < text_.size() ? text_[offset_] : '\0';
  auto pair = [&](char second, Kind two, Kind one) {
    if (next == second) {
      ++offset_;
      return Make(two, start);
    }
    return Make(one, start);
  };
  switch (c) {
    case ':':
      return pair('=', Kind::kAssign, Kind::kColon);
    case '!':
      return pair('=', Kind::kNotEqual, Kind::kNot);
    case '>':
      if (next == '<') {
        ++offset_;
        return Make(Kind::kNotEqual, start);
      }
      return pair('=', Kind::kGreaterEqual, Kind::kGreater);
    case '<':
      if (next == '>') {
        ++offset_;
        return Make(Kind::kNotEqual, start);
      }
      return pair('=', Kind::kLessEqual, Kind::kLess);
    case '-':
      return Make(Kind::kMinus, start);
    case '*':
      return ReadStarred(start);
    case '/':
      return Make(Kind::kDivide, start);
    case '+':
      return Make(Kind::kPlus, start);
    case '=':
      return pair('!', Kind::kNotEqual, Kind::kEqual);
    case '&':
      return Make(Kind::kAnd, start);
    case '|':
      return Make(Kind::kOr, start);
    case '(':
      return Make(Kind::kLeftParenthesis, start);
    case ')':
      return Make(Kind::kRightParenthesis, start);
    case '[':
      return Make(Kind::kLeftBracket, start);
    case ']':
      return Make(Kind::kRightBracket, start);
    case ';':
      return Make(Kind::kSemicolon, start);
    default:
      return Error(start, "Unknown operator");
  }
}

}  // namespace quendral::platform::formula
