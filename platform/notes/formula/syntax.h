// The tree of a formula: what the compiler builds from text, the compiled
// form stores, the decompiler prints and the evaluator runs.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_SYNTAX_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_SYNTAX_H_

#include <cstddef>
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
  // Permuted operators pair every element of the left list with every
  // element of the right one, the left list's elements outermost.
  kPermutedEqual,
  kPermutedNotEqual,
  kPermutedLess,
  kPermutedGreater,
  kPermutedLessEqual,
  kPermutedGreaterEqual,
  kPermutedAdd,
  kPermutedSubtract,
  kPermutedMultiply,
  kPermutedDivide,
};
inline constexpr std::uint8_t kLastOperator = static_cast<std::uint8_t>(Operator::kPermutedDivide);

// How tightly an expression binds, loosest first. Operators of one level
// chain from left to right.
enum class Level : std::uint8_t {
  kAssign = 1,  // name := value, FIELD name := value
  kLogic,       // & |
  kNot,         // ! before a comparison
  kCompare,     // = != < > <= >= and their permuted forms
  kAdd,         // + - *+ *-
  kMultiply,    // * / ** */
  kUnary,       // - before a list
  kList,        // :
  kPrimary,     // constants, names, calls, subscripts
};

Level LevelOf(Operator op);
std::string_view SymbolOf(Operator op);
bool IsPermuted(Operator op);
// The pairwise operator a permuted one applies to its pairs.
Operator PairwiseOf(Operator op);

struct Node {
  enum class Kind : std::uint8_t {
    kNumber,
    kText,
    kName,
    kCall,
    kNegate,
    kNot,
    kChain,
    kDateTime,     // a constant in brackets: [12/24/2026 10:00]
    kKeyword,      // a keyword in brackets: [CN]; its value is the word as text
    kSubscript,    // children: the list, the 1-based index
    kAssign,       // name := value inside an expression; its value is the value
    kFieldAssign,  // FIELD name := value inside an expression
  };

  Kind kind = Kind::kNumber;
  double number = 0;  // kNumber: never negative; minus is an operator
  // kText: the text; kName: the field or variable; kCall: an unknown
  // function's name as written, '@' included; kDateTime: the constant's
  // canonical text (see datetime_constant.h); kKeyword: the word in capitals;
  // kAssign, kFieldAssign: the name assigned.
  std::string text;
  int function = -1;  // kCall: index into Functions(), -1 when unknown
  // kChain: operators[i] joins children[i] and children[i + 1]; all of them
  // are of one level.
  std::vector<Operator> operators;
  std::vector<Node> children;  // call arguments, the unary operand, chain operands
  int depth = 1;               // levels of the tree from this node down
  // Byte offset in the text the node was parsed from, for error messages;
  // not part of the compiled form. (Formula texts are far shorter than 4 GB.)
  std::uint32_t position = 0;
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
