// A recursive-descent parser. Operators of one level are gathered into one
// chain node, so long sums and lists stay shallow; only parentheses, calls
// and unary operators nest.
#include "platform/notes/formula/parser.h"

#include <algorithm>
#include <optional>

#include "platform/base/ascii.h"
#include "platform/notes/formula/datetime_constant.h"
#include "platform/notes/formula/functions.h"
#include "platform/notes/formula/lexer.h"

namespace quendral::platform::formula {
namespace {

// Parentheses cost no tree depth, so they are bounded separately; the
// canonical text of any tree within kMaxNestingDepth stays below this.
constexpr int kMaxRecursion = 3 * kMaxNestingDepth;

std::optional<Operator> BinaryOperator(const Token& token, Level level) {
  using Kind = Token::Kind;
  std::optional<Operator> op;
  switch (token.kind) {
    case Kind::kPermuted:
      op = token.op;
      break;
    case Kind::kMultiply:
      op = Operator::kMultiply;
      break;
    case Kind::kDivide:
      op = Operator::kDivide;
      break;
    case Kind::kPlus:
      op = Operator::kAdd;
      break;
    case Kind::kMinus:
      op = Operator::kSubtract;
      break;
    case Kind::kEqual:
      op = Operator::kEqual;
      break;
    case Kind::kNotEqual:
      op = Operator::kNotEqual;
      break;
    case Kind::kLess:
      op = Operator::kLess;
      break;
    case Kind::kGreater:
      op = Operator::kGreater;
      break;
    case Kind::kLessEqual:
      op = Operator::kLessEqual;
      break;
    case Kind::kGreaterEqual:
      op = Operator::kGreaterEqual;
      break;
    case Kind::kAnd:
      op = Operator::kAnd;
      break;
    case Kind::kOr:
      op = Operator::kOr;
      break;
    default:
      return std::nullopt;
  }
  if (LevelOf(*op) != level) {
    return std::nullopt;
  }
  return op;
}

Level NextLevel(Level level) { return static_cast<Level>(static_cast<int>(level) + 1); }

class Parser {
 public:
  explicit Parser(std::string_view text) : lexer_(text) { Advance(); }

  bool ParseProgram(Program* program);
  const CompileError& error() const { return error_; }

 private:
  void Advance();
  bool Fail(std::size_t position, std::string message);
  bool At(Token::Kind kind) const { return token_.kind == kind; }
  bool AtKeyword(std::string_view keyword) const {
    return At(Token::Kind::kName) && base::EqualsIgnoringAsciiCase(token_.text, keyword);
  }
  bool NextIsAssign() const;

  bool ParseStatement(Statement* statement);
  bool ParseRemark(Statement* statement);
  bool ParseFieldAssignment(Statement::Kind kind, Statement* statement);
  bool ParseAssignedValue(std::string* name, Node* value);
  bool ParseExpression(Node* node);
  bool ParseNestedAssignment(Node::Kind kind, Node* node);
  bool ParseLevel(Level level, Node* node);
  bool ParseNot(Node* node);
  bool ParseUnary(bool list_operand, Node* node);
  bool ParseList(Node* node);
  bool ParsePostfix(Node* node);
  bool ParsePrimary(Node* node);
  bool ParseParenthesised(Node* node);
  bool ParseBracketed(Node* node);
  bool ParseSubscript(Node* node);
  bool ParseCall(Node* node);
  bool ParseArguments(Node* call);
  bool Finish(std::size_t position, Node* node);

  Lexer lexer_;
  Token token_;
  int recursion_ = 0;
  bool failed_ = false;
  CompileError error_;
};

void Parser::Advance() {
  token_ = lexer_.Next();
  if (At(Token::Kind::kError)) {
    Fail(token_.position, token_.text);
  }
}

// Only the first error is kept: later ones are mostly its consequences.
bool Parser::Fail(std::size_t position, std::string message) {
  if (!failed_) {
    failed_ = true;
    error_.position = position;
    error_.message = std::move(message);
  }
  return false;
}

bool Parser::NextIsAssign() const {
  Lexer ahead = lexer_;
  return ahead.Next().kind == Token::Kind::kAssign;
}

bool Parser::ParseProgram(Program* program) {
  for (;;) {
    while (At(Token::Kind::kSemicolon)) {
      Advance();
    }
    if (At(Token::Kind::kEnd)) {
      break;
    }
    Statement statement;
    if (!ParseStatement(&statement)) {
      return false;
    }
    program->statements.push_back(std::move(statement));
    if (!At(Token::Kind::kSemicolon) && !At(Token::Kind::kEnd)) {
      return Fail(token_.position, "Expected ';'");
    }
  }
  return !failed_;
}

bool Parser::ParseStatement(Statement* statement) {
  if (AtKeyword("FIELD")) {
    return ParseFieldAssignment(Statement::Kind::kField, statement);
  }
  if (AtKeyword("DEFAULT")) {
    return ParseFieldAssignment(Statement::Kind::kDefault, statement);
  }
  if (AtKeyword("SELECT")) {
    Advance();
    statement->kind = Statement::Kind::kSelect;
    return ParseExpression(&statement->value);
  }
  if (AtKeyword("REM")) {
    return ParseRemark(statement);
  }
  if (At(Token::Kind::kName) && NextIsAssign()) {
    statement->kind = Statement::Kind::kAssign;
    return ParseAssignedValue(&statement->name, &statement->value);
  }
  statement->kind = Statement::Kind::kExpression;
  return ParseExpression(&statement->value);
}

// REM with a string in quotes or braces, or with nothing before the ';'.
bool Parser::ParseRemark(Statement* statement) {
  Advance();
  statement->kind = Statement::Kind::kRem;
  if (At(Token::Kind::kSemicolon) || At(Token::Kind::kEnd)) {
    return true;
  }
  if (!At(Token::Kind::kText)) {
    return Fail(token_.position, "Expected a string after REM");
  }
  statement->name = token_.text;
  Advance();
  return true;
}

bool Parser::ParseFieldAssignment(Statement::Kind kind, Statement* statement) {
  std::string keyword;
  for (char c : token_.text) {
    keyword.push_back(base::ToUpperAscii(c));
  }
  Advance();
  if (!At(Token::Kind::kName) || IsKeyword(token_.text)) {
    return Fail(token_.position, "Expected a field name after " + keyword);
  }
  statement->kind = kind;
  return ParseAssignedValue(&statement->name, &statement->value);
}

// At the name of `name := expression`.
bool Parser::ParseAssignedValue(std::string* name, Node* value) {
  *name = token_.text;
  Advance();
  if (!At(Token::Kind::kAssign)) {
    return Fail(token_.position, "Expected ':='");
  }
  Advance();
  return ParseExpression(value);
}

// An assignment may stand wherever an expression may: "@If(c; x := 1; x := 2)".
bool Parser::ParseExpression(Node* node) {
  if (recursion_ >= kMaxRecursion) {
    return Fail(token_.position, "Formula nested too deeply");
  }
  ++recursion_;
  bool parsed = false;
  if (AtKeyword("FIELD")) {
    Advance();
    parsed = ParseNestedAssignment(Node::Kind::kFieldAssign, node);
  } else if (At(Token::Kind::kName) && NextIsAssign()) {
    parsed = ParseNestedAssignment(Node::Kind::kAssign, node);
  } else {
    parsed = ParseLevel(Level::kLogic, node);
  }
  --recursion_;
  return parsed;
}

bool Parser::ParseNestedAssignment(Node::Kind kind, Node* node) {
  const std::size_t position = token_.position;
  if (!At(Token::Kind::kName) || IsKeyword(token_.text)) {
    return Fail(position, kind == Node::Kind::kFieldAssign ? "Expected a field name after FIELD"
                                                           : "Unexpected keyword " + token_.text);
  }
  Node value;
  if (!ParseAssignedValue(&node->text, &value)) {
    return false;
  }
  node->kind = kind;
  node->position = static_cast<std::uint32_t>(position);
  node->children.push_back(std::move(value));
  return Finish(position, node);
}

bool Parser::ParseLevel(Level level, Node* node) {
  if (level == Level::kNot) {
    return ParseNot(node);
  }
  if (level == Level::kUnary) {
    return ParseUnary(false, node);
  }
  const std::size_t position = token_.position;
  if (!ParseLevel(NextLevel(level), node)) {
    return false;
  }
  std::optional<Operator> op = BinaryOperator(token_, level);
  if (!op) {
    return true;
  }
  Node chain;
  chain.kind = Node::Kind::kChain;
  chain.children.push_back(std::move(*node));
  while (op) {
    chain.operators.push_back(*op);
    Advance();
    Node operand;
    if (!ParseLevel(NextLevel(level), &operand)) {
      return false;
    }
    chain.children.push_back(std::move(operand));
    op = BinaryOperator(token_, level);
  }
  *node = std::move(chain);
  return Finish(position, node);
}

// '!' sits with '&' and '|': it negates the comparison behind it, so
// "!Status = \"Closed\"" is "!(Status = \"Closed\")".
bool Parser::ParseNot(Node* node) {
  if (!At(Token::Kind::kNot)) {
    return ParseLevel(Level::kCompare, node);
  }
  const std::size_t position = token_.position;
  if (recursion_ >= kMaxRecursion) {
    return Fail(position, "Formula nested too deeply");
  }
  Advance();
  ++recursion_;
  Node operand;
  const bool parsed = ParseNot(&operand);
  --recursion_;
  if (!parsed) {
    return false;
  }
  node->kind = Node::Kind::kNot;
  node->children.push_back(std::move(operand));
  return Finish(position, node);
}

// A unary minus or plus takes the list behind it, except after ':' where it
// takes just the next element ("1:-2" lists 1 and -2). A unary plus changes
// nothing and leaves no trace in the tree.
bool Parser::ParseUnary(bool list_operand, Node* node) {
  if (!At(Token::Kind::kMinus) && !At(Token::Kind::kPlus)) {
    return list_operand ? ParsePostfix(node) : ParseList(node);
  }
  const std::size_t position = token_.position;
  if (recursion_ >= kMaxRecursion) {
    return Fail(position, "Formula nested too deeply");
  }
  const bool negate = At(Token::Kind::kMinus);
  Advance();
  ++recursion_;
  Node operand;
  const bool parsed = ParseUnary(list_operand, &operand);
  --recursion_;
  if (!parsed) {
    return false;
  }
  if (!negate) {
    *node = std::move(operand);
    return true;
  }
  node->kind = Node::Kind::kNegate;
  node->children.push_back(std::move(operand));
  return Finish(position, node);
}

bool Parser::ParseList(Node* node) {
  const std::size_t position = token_.position;
  if (!ParsePostfix(node)) {
    return false;
  }
  if (!At(Token::Kind::kColon)) {
    return true;
  }
  Node list;
  list.kind = Node::Kind::kChain;
  list.children.push_back(std::move(*node));
  while (At(Token::Kind::kColon)) {
    list.operators.push_back(Operator::kList);
    Advance();
    Node element;
    if (!ParseUnary(true, &element)) {
      return false;
    }
    list.children.push_back(std::move(element));
  }
  *node = std::move(list);
  return Finish(position, node);
}

// A primary and the subscripts behind it: "Names[2]", "@Explode(x)[n + 1]".
bool Parser::ParsePostfix(Node* node) {
  if (!ParsePrimary(node)) {
    return false;
  }
  while (At(Token::Kind::kLeftBracket)) {
    if (!ParseSubscript(node)) {
      return false;
    }
  }
  return true;
}

bool Parser::ParseSubscript(Node* node) {
  const std::size_t position = node->position;
  Advance();
  Node index;
  if (!ParseExpression(&index)) {
    return false;
  }
  if (!At(Token::Kind::kRightBracket)) {
    return Fail(token_.position, "Expected ']'");
  }
  Advance();
  Node subscript;
  subscript.kind = Node::Kind::kSubscript;
  subscript.position = static_cast<std::uint32_t>(position);
  subscript.children.push_back(std::move(*node));
  subscript.children.push_back(std::move(index));
  *node = std::move(subscript);
  return Finish(position, node);
}

// At '[' where an expression starts: a date-time constant or a keyword.
bool Parser::ParseBracketed(Node* node) {
  const std::size_t position = token_.position;
  std::string text;
  if (!lexer_.ReadBracketed(&text)) {
    return Fail(position, "Expected ']'");
  }
  std::string_view word = text;
  while (!word.empty() && word.front() == ' ') {
    word.remove_prefix(1);
  }
  while (!word.empty() && word.back() == ' ') {
    word.remove_suffix(1);
  }
  DateTimeConstant constant;
  if (!word.empty() && IsNameStart(word.front()) &&
      std::all_of(word.begin(), word.end(), IsNamePart)) {
    node->kind = Node::Kind::kKeyword;
    for (char c : word) {
      node->text.push_back(base::ToUpperAscii(c));
    }
  } else if (ParseDateTimeConstant(word, &constant)) {
    node->kind = Node::Kind::kDateTime;
    node->text = CanonicalText(constant);
  } else {
    return Fail(position, "Invalid date-time constant or keyword [" + text + "]");
  }
  node->position = static_cast<std::uint32_t>(position);
  Advance();
  return true;
}

bool Parser::ParsePrimary(Node* node) {
  node->position = static_cast<std::uint32_t>(token_.position);
  switch (token_.kind) {
    case Token::Kind::kNumber:
      node->kind = Node::Kind::kNumber;
      node->number = token_.number;
      Advance();
      return true;
    case Token::Kind::kText:
      node->kind = Node::Kind::kText;
      node->text = token_.text;
      Advance();
      return true;
    case Token::Kind::kName:
      if (IsKeyword(token_.text)) {
        return Fail(token_.position, "Unexpected keyword " + token_.text);
      }
      node->kind = Node::Kind::kName;
      node->text = token_.text;
      Advance();
      return true;
    case Token::Kind::kFunction:
      return ParseCall(node);
    case Token::Kind::kLeftParenthesis:
      return ParseParenthesised(node);
    case Token::Kind::kLeftBracket:
      return ParseBracketed(node);
    case Token::Kind::kNot:
      // Where an operand is due ("a:!b", "-!c") '!' still negates what
      // follows up to the next '&' or '|'.
      return ParseNot(node);
    default:
      return Fail(token_.position, "Expected an expression");
  }
}

bool Parser::ParseParenthesised(Node* node) {
  const std::size_t position = token_.position;
  Advance();
  if (!ParseExpression(node)) {
    return false;
  }
  if (!At(Token::Kind::kRightParenthesis)) {
    return Fail(token_.position, "Expected ')'");
  }
  node->position = static_cast<std::uint32_t>(position);
  Advance();
  return true;
}

bool Parser::ParseCall(Node* node) {
  const std::size_t position = token_.position;
  const std::string name = token_.text;
  Advance();
  node->kind = Node::Kind::kCall;
  node->function = FindFunction(name);
  if (At(Token::Kind::kLeftParenthesis) && !ParseArguments(node)) {
    return false;
  }
  if (node->function < 0) {
    node->text = name;
  } else {
    const FunctionInfo& function = Functions()[node->function];
    if (!AcceptsArguments(function, node->children)) {
      const bool wants_name =
          function.arguments == FunctionInfo::Arguments::kFieldName && node->children.size() == 1;
      return Fail(position, wants_name
                                ? std::string(function.name) + " expects a field name"
                                : "Wrong number of arguments for " + std::string(function.name));
    }
  }
  return Finish(position, node);
}

// At '(': the arguments, separated by ';', up to and with ')'.
bool Parser::ParseArguments(Node* call) {
  Advance();
  if (At(Token::Kind::kRightParenthesis)) {
    Advance();
    return true;
  }
  for (;;) {
    Node argument;
    if (!ParseExpression(&argument)) {
      return false;
    }
    call->children.push_back(std::move(argument));
    if (At(Token::Kind::kRightParenthesis)) {
      Advance();
      return true;
    }
    if (!At(Token::Kind::kSemicolon)) {
      return Fail(token_.position, "Expected ')'");
    }
    Advance();
  }
}

bool Parser::Finish(std::size_t position, Node* node) {
  node->position = static_cast<std::uint32_t>(position);
  UpdateDepth(node);
  if (node->depth > kMaxNestingDepth) {
    return Fail(position, "Formula nested too deeply");
  }
  return true;
}

}  // namespace

bool Parse(std::string_view text, Program* program, CompileError* error) {
  Parser parser(text);
  *program = Program();
  if (parser.ParseProgram(program)) {
    return true;
  }
  *error = parser.error();
  return false;
}

}  // namespace quendral::platform::formula
