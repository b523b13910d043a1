// The core calls that compile formulas and turn them back into text.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/notes/core/core_api.h"
#include "platform/notes/core/memory.h"
#include "platform/notes/formula/formula.h"

namespace quendral::platform {
namespace {

DHANDLE CopyToMemory(const void* bytes, std::size_t length) {
  DHANDLE handle = AllocateMemory(length);
  if (handle != 0 && length != 0) {
    std::memcpy(LockMemory(handle), bytes, length);
    UnlockMemory(handle);
  }
  return handle;
}

template <typename T>
void Set(T* out, T value) {
  if (out != nullptr) {
    *out = value;
  }
}

// The 1-based line and column of byte `offset` of `text`.
void LineAndColumn(std::string_view text, std::size_t offset, std::uint16_t* line,
                   std::uint16_t* column) {
  std::string_view before = text.substr(0, std::min(offset, text.size()));
  std::size_t line_start = before.rfind('\n');
  line_start = line_start == std::string_view::npos ? 0 : line_start + 1;
  auto lines = std::count(before.begin(), before.end(), '\n');
  Set(line, static_cast<std::uint16_t>(lines + 1));
  Set(column, static_cast<std::uint16_t>(before.size() - line_start + 1));
}

}  // namespace

STATUS CompileFormulaText(const char* /*name*/, std::uint16_t /*name_length*/, const char* text,
                          std::uint16_t text_length, DHANDLE* formula,
                          std::uint16_t* formula_length, STATUS* compile_error,
                          std::uint16_t* error_line, std::uint16_t* error_column,
                          std::uint16_t* error_offset, std::uint16_t* error_length) {
  if (formula == nullptr || (text == nullptr && text_length != 0)) {
    return kErrInvalidArgument;
  }
  std::string_view source(text == nullptr ? "" : text, text_length);
  std::vector<std::uint8_t> compiled;
  formula::CompileError error;
  if (!formula::Compile(source, &compiled, &error)) {
    Set(compile_error, STATUS{kErrFormulaSyntax});
    LineAndColumn(source, error.position, error_line, error_column);
    Set(error_offset, static_cast<std::uint16_t>(std::min<std::size_t>(error.position, 0xFFFF)));
    Set(error_length, static_cast<std::uint16_t>(error.position < source.size() ? 1 : 0));
    return kErrFormulaSyntax;
  }
  if (compiled.size() > formula::kMaxCompiledLength) {
    return kErrFormulaTooLarge;
  }
  DHANDLE handle = CopyToMemory(compiled.data(), compiled.size());
  if (handle == 0) {
    return kErrOutOfMemory;
  }
  *formula = handle;
  Set(formula_length, static_cast<std::uint16_t>(compiled.size()));
  Set(compile_error, STATUS{kNoError});
  return kNoError;
}

STATUS FormulaToText(const char* formula, bool /*selection*/, DHANDLE* text,
                     std::uint16_t* text_length) {
  if (formula == nullptr || text == nullptr) {
    return kErrInvalidArgument;
  }
  // The compiled bytes carry their own length, but a damaged length must not
  // lead the decompiler past the end of the block the formula lies in (an
  // item value, for a formula inside a rich-text record). Memory that is not
  // the platform's is the caller's to bound.
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(formula);
  std::size_t available = BytesAvailableAt(formula);
  if (available == 0) {
    available = formula::kMaxCompiledLength;
  }
  std::string decompiled;
  if (!formula::Decompile(bytes, std::min(available, formula::kMaxCompiledLength), &decompiled)) {
    return kErrFormulaSyntax;
  }
  if (decompiled.size() > 0xFFFF) {
    return kErrFormulaTooLarge;
  }
  DHANDLE handle = CopyToMemory(decompiled.data(), decompiled.size());
  if (handle == 0) {
    return kErrOutOfMemory;
  }
  *text = handle;
  Set(text_length, static_cast<std::uint16_t>(decompiled.size()));
  return kNoError;
}

}  // namespace quendral::platform
