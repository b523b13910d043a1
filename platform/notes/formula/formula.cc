#include "platform/notes/formula/formula.h"

#include "platform/notes/formula/encoding.h"
#include "platform/notes/formula/evaluator.h"
#include "platform/notes/formula/parser.h"
#include "platform/notes/formula/printer.h"

namespace quendral::platform::formula {

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
    report->message = evaluator.error();
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
