#include "platform/notes/formula/syntax.h"

#include <algorithm>

#include "platform/base/ascii.h"

namespace quendral::platform::formula {

Level LevelOf(Operator op) {
  switch (op) {
    case Operator::kList:
      return Level::kList;
    case Operator::kMultiply:
    case Operator::kDivide:
    case Operator::kPermutedMultiply:
    case Operator::kPermutedDivide:
      return Level::kMultiply;
    case Operator::kAdd:
    case Operator::kSubtract:
    case Operator::kPermutedAdd:
    case Operator::kPermutedSubtract:
      return Level::kAdd;
    case Operator::kEqual:
    case Operator::kNotEqual:
    case Operator::kLess:
    case Operator::kGreater:
    case Operator::kLessEqual:
    case Operator::kGreaterEqual:
    case Operator::kPermutedEqual:
    case Operator::kPermutedNotEqual:
    case Operator::kPermutedLess:
    case Operator::kPermutedGreater:
    case Operator::kPermutedLessEqual:
    case Operator::kPermutedGreaterEqual:
      return Level::kCompare;
    case Operator::kAnd:
    case Operator::kOr:
      return Level::kLogic;
  }
  return Level::kLogic;
}

std::string_view SymbolOf(Operator op) {
  switch (op) {
    case Operator::kList:
      return ":";
    case Operator::kMultiply:
      return "*";
    case Operator::kDivide:
      return "/";
    case Operator::kAdd:
      return "+";
    case Operator::kSubtract:
      return "-";
    case Operator::kEqual:
      return "=";
    case Operator::kNotEqual:
      return "!=";
    case Operator::kLess:
      return "<";
    case Operator::kGreater:
      return ">";
    case Operator::kLessEqual:
      return "<=";
    case Operator::kGreaterEqual:
      return ">=";
    case Operator::kAnd:
      return "&";
    case Operator::kOr:
      return "|";
    case Operator::kPermutedEqual:
      return "*=";
    case Operator::kPermutedNotEqual:
      return "*!=";
    case Operator::kPermutedLess:
      return "*<";
    case Operator::kPermutedGreater:
      return "*>";
    case Operator::kPermutedLessEqual:
      return "*<=";
    case Operator::kPermutedGreaterEqual:
      return "*>=";
    case Operator::kPermutedAdd:
      return "*+";
    case Operator::kPermutedSubtract:
      return "*-";
    case Operator::kPermutedMultiply:
      return "**";
    case Operator::kPermutedDivide:
      return "*/";
  }
  return "";
}

bool IsPermuted(Operator op) { return op >= Operator::kPermutedEqual; }

Operator PairwiseOf(Operator op) {
  switch (op) {
    case Operator::kPermutedEqual:
      return Operator::kEqual;
    case Operator::kPermutedNotEqual:
      return Operator::kNotEqual;
    case Operator::kPermutedLess:
      return Operator::kLess;
    case Operator::kPermutedGreater:
      return Operator::kGreater;
    case Operator::kPermutedLessEqual:
      return Operator::kLessEqual;
    case Operator::kPermutedGreaterEqual:
      return Operator::kGreaterEqual;
    case Operator::kPermutedAdd:
      return Operator::kAdd;
    case Operator::kPermutedSubtract:
      return Operator::kSubtract;
    case Operator::kPermutedMultiply:
      return Operator::kMultiply;
    case Operator::kPermutedDivide:
      return Operator::kDivide;
    default:
      return op;
  }
}

Level LevelOf(const Node& node) {
  switch (node.kind) {
    case Node::Kind::kNegate:
      return Level::kUnary;
    case Node::Kind::kNot:
      return Level::kNot;
    case Node::Kind::kChain:
      return LevelOf(node.operators.front());
    case Node::Kind::kAssign:
    case Node::Kind::kFieldAssign:
      return Level::kAssign;
    default:
      return Level::kPrimary;
  }
}

void UpdateDepth(Node* node) {
  int deepest = 0;
  for (const Node& child : node->children) {
    deepest = std::max(deepest, child.depth);
  }
  node->depth = deepest + 1;
}

bool IsNameStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '$' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool IsNamePart(char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }

bool IsKeyword(std::string_view word) {
  return base::EqualsIgnoringAsciiCase(word, "FIELD") ||
         base::EqualsIgnoringAsciiCase(word, "DEFAULT") ||
         base::EqualsIgnoringAsciiCase(word, "SELECT") ||
         base::EqualsIgnoringAsciiCase(word, "REM");
}

bool IsValidName(std::string_view name) {
  return !name.empty() && IsNameStart(name.front()) &&
         std::all_of(name.begin(), name.end(), IsNamePart) && !IsKeyword(name);
}

}  // namespace quendral::platform::formula
