// A recursive-descent parser. Operators of one level are gathered into one
// chain node, so long sums and lists stay shallow; only parentheses, calls
// and unary operators nest.
#include "platform/notes/formula/parser.h"

#include <optional>

#include "platform/notes/formula/ascii.h"
#include "platform/notes/formula/functions.h"
#include "platform/notes/formula/lexer.h"

namespace quendral::platform::formula {
namespace {

// Parentheses cost no tree depth, so they are bounded separately; the
// canonical text of any tree within kMaxNestingDepth stays below this.
constexpr int kMaxRecursion = 3 * kMaxNestingDepth;

std::optional<Operator> BinaryOperator(Token::Kind kind, Level level) {
  using Kind = Token::Kind;
  std::optional<Operator> op;
  switch (kind) {
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
    return At(Token::Kind::kName) && EqualsIgnoringCase(token_.text, keyword);
  }
  bool NextIsAssign() const;

  bool ParseStatement(Statement* statement);
  bool ParseFieldAssignment(Statement::Kind kind, Statement* statement);
  bool ParseAssignedValue(Statement* statement);
  bool ParseExpression(Node* node);
  bool ParseLevel(Level level, Node* node);
  bool ParseUnary(bool list_operand, Node* node);
  bool ParseList(Node* node);
  bool ParsePrimary(Node* node);
  bool ParseParenthesised(Node* node);
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
    Advance();
    if (!At(Token::Kind::kText)) {
      return Fail(token_.position, "Expected a string after REM");
    }
    statement->kind = Statement::Kind::kRem;
    statement->name = token_.text;
    Advance();
    return true;
  }
  if (At(Token::Kind::kName) && NextIsAssign()) {
    statement->kind = Statement::Kind::kAssign;
    return ParseAssignedValue(statement);
  }
  statement->kind = Statement::Kind::kExpression;
  return ParseExpression(&statement->value);
}

bool Parser::ParseFieldAssignment(Statement::Kind kind, Statement* statement) {
  std::string keyword;
  for (char c : token_.text) {
    keyword.push_back(AsciiUpper(c));
  }
  Advance();
  if (!At(Token::Kind::kName) || IsKeyword(token_.text)) {
    return Fail(token_.position, "Expected a field name after " + keyword);
  }
  statement->kind = kind;
  return ParseAssignedValue(statement);
}

// At the name of `name := expression`.
bool Parser::ParseAssignedValue(Statement* statement) {
  statement->name = token_.text;
  Advance();
  if (!At(Token::Kind::kAssign)) {
    return Fail(token_.position, "Expected ':='");
  }
  Advance();
  return ParseExpression(&statement->value);
}

bool Parser::ParseExpression(Node* node) {
  if (recursion_ >= kMaxRecursion) {
    return Fail(token_.position, "Formula nested too deeply");
  }
  ++recursion_;
  const bool parsed = ParseLevel(Level::kLogic, node);
  --recursion_;
  return parsed;
}

bool Parser::ParseLevel(Level level, Node* node) {
  if (level == Level::kUnary) {
    return ParseUnary(false, node);
  }
  const std::size_t position = token_.position;
  if (!ParseLevel(NextLevel(level), node)) {
    return false;
  }
  std::optional<Operator> op = BinaryOperator(token_.kind, level);
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
    op = BinaryOperator(token_.kind, level);
  }
  *node = std::move(chain);
  return Finish(position, node);
}

// A unary operator takes the list behind it, except after ':' where it
// takes just the next element ("1:-2" lists 1 and -2).
bool Parser::ParseUnary(bool list_operand, Node* node) {
  if (!At(Token::Kind::kMinus) && !At(Token::Kind::kNot)) {
    return list_operand ? ParsePrimary(node) : ParseList(node);
  }
  const std::size_t position = token_.position;
  if (recursion_ >= kMaxRecursion) {
    return Fail(position, "Formula nested too deeply");
  }
  Node unary;
  unary.kind = At(Token::Kind::kMinus) ? Node::Kind::kNegate : Node::Kind::kNot;
  Advance();
  ++recursion_;
  Node operand;
  const bool parsed = ParseUnary(list_operand, &operand);
  --recursion_;
  if (!parsed) {
    return false;
  }
  unary.children.push_back(std::move(operand));
  *node = std::move(unary);
  return Finish(position, node);
}

bool Parser::ParseList(Node* node) {
  const std::size_t position = token_.position;
  if (!ParsePrimary(node)) {
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

bool Parser::ParsePrimary(Node* node) {
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
    default:
      return Fail(token_.position, "Expected an expression");
  }
}

bool Parser::ParseParenthesised(Node* node) {
  Advance();
  if (!ParseExpression(node)) {
    return false;
  }
  if (!At(Token::Kind::kRightParenthesis)) {
    return Fail(token_.position, "Expected ')'");
  }
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
