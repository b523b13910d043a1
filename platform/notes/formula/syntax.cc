#include "platform/notes/formula/syntax.h"

#include <algorithm>

#include "platform/notes/formula/ascii.h"

namespace quendral::platform::formula {

Level LevelOf(Operator op) {
  switch (op) {
    case Operator::kList:
      return Level::kList;
    case Operator::kMultiply:
    case Operator::kDivide:
      return Level::kMultiply;
    case Operator::kAdd:
    case Operator::kSubtract:
      return Level::kAdd;
    case Operator::kEqual:
    case Operator::kNotEqual:
    case Operator::kLess:
    case Operator::kGreater:
    case Operator::kLessEqual:
    case Operator::kGreaterEqual:
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
  }
  return "";
}

Level LevelOf(const Node& node) {
  switch (node.kind) {
    case Node::Kind::kNegate:
    case Node::Kind::kNot:
      return Level::kUnary;
    case Node::Kind::kChain:
      return LevelOf(node.operators.front());
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
  return EqualsIgnoringCase(word, "FIELD") || EqualsIgnoringCase(word, "DEFAULT") ||
         EqualsIgnoringCase(word, "SELECT") || EqualsIgnoringCase(word, "REM");
}

bool IsValidName(std::string_view name) {
  return !name.empty() && IsNameStart(name.front()) &&
         std::all_of(name.begin(), name.end(), IsNamePart) && !IsKeyword(name);
}

}  // namespace quendral::platform::formula
