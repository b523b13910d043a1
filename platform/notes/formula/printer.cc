#include "platform/notes/formula/printer.h"

#include "platform/notes/formula/functions.h"
#include "platform/notes/formula/value.h"

namespace quendral::platform::formula {
namespace {

void PrintNode(const Node& node, Level weakest, std::string* out);

void PrintQuoted(const std::string& text, std::string* out) {
  out->push_back('"');
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out->push_back('\\');
    }
    out->push_back(c);
  }
  out->push_back('"');
}

void PrintCall(const Node& node, std::string* out) {
  out->append(node.function >= 0 ? std::string(Functions()[node.function].name) : node.text);
  if (node.children.empty()) {
    return;
  }
  out->push_back('(');
  for (std::size_t i = 0; i < node.children.size(); ++i) {
    if (i > 0) {
      out->append("; ");
    }
    PrintNode(node.children[i], Level::kAssign, out);
  }
  out->push_back(')');
}

// Behind ':' a unary minus binds only the next element, so it needs no
// parentheses there as long as its own operand is an element.
void PrintListElement(const Node& node, std::string* out) {
  if (node.kind == Node::Kind::kNegate) {
    out->push_back('-');
    PrintListElement(node.children.front(), out);
    return;
  }
  PrintNode(node, Level::kPrimary, out);
}

void PrintChain(const Node& node, std::string* out) {
  const Level level = LevelOf(node);
  // Operands of the same level are parenthesised: without them they would
  // join this chain.
  const auto operand_level = static_cast<Level>(static_cast<int>(level) + 1);
  PrintNode(node.children.front(), operand_level, out);
  for (std::size_t i = 1; i < node.children.size(); ++i) {
    if (level == Level::kList) {
      out->push_back(':');
      PrintListElement(node.children[i], out);
      continue;
    }
    out->push_back(' ');
    out->append(SymbolOf(node.operators[i - 1]));
    out->push_back(' ');
    PrintNode(node.children[i], operand_level, out);
  }
}

// Prints `node` in a place that takes expressions of `weakest` level and
// tighter; looser ones are parenthesised.
void PrintNode(const Node& node, Level weakest, std::string* out) {
  const bool parenthesise = LevelOf(node) < weakest;
  if (parenthesise) {
    out->push_back('(');
  }
  switch (node.kind) {
    case Node::Kind::kNumber:
      out->append(FormatNumber(node.number));
      break;
    case Node::Kind::kText:
      PrintQuoted(node.text, out);
      break;
    case Node::Kind::kName:
      out->append(node.text);
      break;
    case Node::Kind::kCall:
      PrintCall(node, out);
      break;
    case Node::Kind::kNegate:
      out->push_back('-');
      PrintNode(node.children.front(), Level::kUnary, out);
      break;
    case Node::Kind::kNot:
      out->push_back('!');
      PrintNode(node.children.front(), Level::kNot, out);
      break;
    case Node::Kind::kChain:
      PrintChain(node, out);
      break;
    case Node::Kind::kDateTime:
    case Node::Kind::kKeyword:
      out->push_back('[');
      out->append(node.text);
      out->push_back(']');
      break;
    case Node::Kind::kSubscript:
      PrintNode(node.children[0], Level::kPrimary, out);
      out->push_back('[');
      PrintNode(node.children[1], Level::kAssign, out);
      out->push_back(']');
      break;
    case Node::Kind::kAssign:
    case Node::Kind::kFieldAssign:
      out->append(node.kind == Node::Kind::kFieldAssign ? "FIELD " : "");
      out->append(node.text);
      out->append(" := ");
      PrintNode(node.children.front(), Level::kAssign, out);
      break;
  }
  if (parenthesise) {
    out->push_back(')');
  }
}

void PrintStatement(const Statement& statement, std::string* out) {
  switch (statement.kind) {
    case Statement::Kind::kRem:
      out->append("REM");
      if (!statement.name.empty()) {
        out->push_back(' ');
        PrintQuoted(statement.name, out);
      }
      return;
    case Statement::Kind::kSelect:
      out->append("SELECT ");
      break;
    case Statement::Kind::kField:
      out->append("FIELD ");
      break;
    case Statement::Kind::kDefault:
      out->append("DEFAULT ");
      break;
    default:
      break;
  }
  if (statement.kind != Statement::Kind::kExpression &&
      statement.kind != Statement::Kind::kSelect) {
    out->append(statement.name);
    out->append(" := ");
  }
  // An assignment standing alone as a statement would read back as a
  // statement of its own kind.
  const bool alone = statement.kind == Statement::Kind::kExpression;
  PrintNode(statement.value, alone ? Level::kLogic : Level::kAssign, out);
}

}  // namespace

std::string Print(const Program& program) {
  std::string text;
  for (std::size_t i = 0; i < program.statements.size(); ++i) {
    if (i > 0) {
      text.append("; ");
    }
    PrintStatement(program.statements[i], &text);
  }
  return text;
}

}  // namespace quendral::platform::formula
