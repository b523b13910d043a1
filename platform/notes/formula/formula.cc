#include "platform/notes/formula/formula.h"

#include "platform/base/ascii.h"
#include "platform/notes/formula/encoding.h"
#include "platform/notes/formula/evaluator.h"
#include "platform/notes/formula/parser.h"
#include "platform/notes/formula/printer.h"

namespace quendral::platform::formula {
namespace {

// Walks the expressions of `program` in the order their text begins,
// stopping when `visit` returns true; the count of expressions passed.
template <typename Visit>
bool VisitNode(const Node& node, std::size_t* count, Visit& visit) {
  if (visit(node, *count)) {
    return true;
  }
  ++*count;
  for (const Node& child : node.children) {
    if (VisitNode(child, count, visit)) {
      return true;
    }
  }
  return false;
}

template <typename Visit>
bool VisitExpressions(const Program& program, Visit visit) {
  std::size_t count = 0;
  for (const Statement& statement : program.statements) {
    if (statement.kind != Statement::Kind::kRem && VisitNode(statement.value, &count, visit)) {
      return true;
    }
  }
  return false;
}

std::optional<std::size_t> ExpressionIndex(const Program& program, const Node* target) {
  std::optional<std::size_t> found;
  VisitExpressions(program, [&](const Node& node, std::size_t index) {
    if (&node == target) {
      found = index;
    }
    return found.has_value();
  });
  return found;
}

std::optional<std::size_t> PositionIn(const Program& program, std::size_t expression) {
  std::optional<std::size_t> position;
  VisitExpressions(program, [&](const Node& node, std::size_t index) {
    if (index == expression) {
      position = node.position;
    }
    return position.has_value();
  });
  return position;
}

}  // namespace

bool SameFieldName(std::string_view a, std::string_view b) {
  return base::EqualsIgnoringAsciiCase(a, b);
}

std::optional<std::size_t> ExpressionPosition(std::string_view text, std::size_t expression) {
  Program program;
  CompileError ignored;
  if (text.size() > kMaxFormulaTextLength || !Parse(text, &program, &ignored)) {
    return std::nullopt;
  }
  return PositionIn(program, expression);
}

bool Compile(std::string_view text, std::vector<std::uint8_t>* compiled, CompileError* error) {
  compiled->clear();
  CompileError ignored;
  CompileError* report = error != nullptr ? error : &ignored;
  if (text.size() > kMaxFormulaTextLength) {
    *report = CompileError{kMaxFormulaTextLength, "Formula too long"};
    return false;
  }
  Program program;
  if (!Parse(text, &program, report)) {
    return false;
  }
  if (!Encode(program, compiled)) {
    *report = CompileError{0, "Compiled formula too large"};
    return false;
  }
  return true;
}

std::size_t CompiledLength(const std::uint8_t* data, std::size_t available) {
  Program program;
  std::size_t length = 0;
  return Decode(data, available, &program, &length) ? length : 0;
}

bool Decompile(const std::uint8_t* data, std::size_t available, std::string* text) {
  Program program;
  std::size_t length = 0;
  if (!Decode(data, available, &program, &length)) {
    return false;
  }
  *text = Print(program);
  return true;
}

bool Evaluate(const std::uint8_t* data, std::size_t available, Environment& environment,
              Value* result, EvaluationError* error) {
  DecodedFormula formula;
  DecodedFormula::Decode(data, available, &formula);
  return formula.Evaluate(environment, result, error);
}

bool DecodedFormula::Decode(const std::uint8_t* data, std::size_t available,
                            DecodedFormula* formula) {
  auto program = std::make_shared<Program>();
  std::size_t length = 0;
  if (!formula::Decode(data, available, program.get(), &length)) {
    return false;
  }
  formula->program_ = std::move(program);
  return true;
}

bool DecodedFormula::Evaluate(Environment& environment, Value* result,
                              EvaluationError* error) const {
  EvaluationError ignored;
  EvaluationError* report = error != nullptr ? error : &ignored;
  if (program_ == nullptr) {
    report->message = "Invalid compiled formula";
    return false;
  }
  Value value;
  Evaluator evaluator(environment);
  if (!evaluator.Run(*program_, &value)) {
    // Where it failed is worked out only now: positions are not part of
    // the compiled form, so they are those of the canonical text.
    *report = EvaluationError{evaluator.error(), std::nullopt, std::nullopt};
    if (evaluator.error_node() != nullptr) {
      report->expression = ExpressionIndex(*program_, evaluator.error_node());
    }
    if (report->expression) {
      report->position = ExpressionPosition(Print(*program_), *report->expression);
    }
    return false;
  }
  if (value.IsError()) {
    report->message = std::string(value.ErrorMessage());
    return false;
  }
  if (result != nullptr) {
    *result = std::move(value);
  }
  return true;
}

}  // namespace quendral::platform::formula
