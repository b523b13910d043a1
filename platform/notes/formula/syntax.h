// The tree of a formula: what the compiler builds from text, the compiled
// form stores, the decompiler prints and the evaluator runs.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_SYNTAX_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_SYNTAX_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quendral::platform::formula {

// Binary operators. The numbers are stored in compiled formulas.
enum class Operator : std::uint8_t {
  kList = 1,
  kMultiply,
  kDivide,
  kAdd,
  kSubtract,
  kEqual,
  kNotEqual,
  kLess,
  kGreater,
  kLessEqual,
  kGreaterEqual,
  kAnd,
  kOr,
};
inline constexpr std::uint8_t kLastOperator = static_cast<std::uint8_t>(Operator::kOr);

// How tightly an expression binds, loosest first. Operators of one level
// chain from left to right.
enum class Level : std::uint8_t {
  kLogic = 1,  // & |
  kCompare,    // = != < > <= >=
  kAdd,        // + -
  kMultiply,   // * /
  kUnary,      // - !
  kList,       // :
  kPrimary,    // literals, names, calls
};

Level LevelOf(Operator op);
std::string_view SymbolOf(Operator op);

struct Node {
  enum class Kind : std::uint8_t { kNumber, kText, kName, kCall, kNegate, kNot, kChain };

  Kind kind = Kind::kNumber;
  double number = 0;  // kNumber: never negative; minus is an operator
  // kText: the text; kName: the field or variable; kCall: an unknown
  // function's name as written, '@' included.
  std::string text;
  int function = -1;  // kCall: index into Functions(), -1 when unknown
  // kChain: operators[i] joins children[i] and children[i + 1]; all of them
  // are of one level.
  std::vector<Operator> operators;
  std::vector<Node> children;  // call arguments, the unary operand, chain operands
  int depth = 1;               // levels of the tree from this node down
};

Level LevelOf(const Node& node);

// Sets `node`'s depth from its children's.
void UpdateDepth(Node* node);

struct Statement {
  enum class Kind : std::uint8_t { kExpression = 1, kAssign, kField, kDefault, kSelect, kRem };

  Kind kind = Kind::kExpression;
  std::string name;  // kAssign, kField, kDefault: what is assigned; kRem: the remark
  Node value;        // every kind but kRem
};

struct Program {
  std::vector<Statement> statements;
};

// Field and variable names: a letter, '_', '$' or a byte of the upper half
// of the code page, then those or digits; never a keyword.
bool IsNameStart(char c);
bool IsNamePart(char c);
bool IsKeyword(std::string_view word);
bool IsValidName(std::string_view name);

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_SYNTAX_H_
