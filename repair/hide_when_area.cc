#include "repair/hide_when_area.h"

#include <cstring>
#include <utility>

#include "platform/notes/core/core_api.h"
#include "platform/notes/core/memory.h"
#include "platform/notes/formula/formula.h"

namespace quendral {
namespace {

// The areas a memo holds at most per source: a database of ever new
// formulas starts the memory afresh rather than growing it with the
// database.
constexpr std::size_t kRememberedAreas = 1024;

// Copies `replacement` over the start of the `length` bytes at `area`,
// unless they start with it already or are too few to take it.
AreaRepair OverwriteFormulaArea(char* area, std::size_t length, std::string_view replacement) {
  if (length < replacement.size()) {
    return AreaRepair::kTooShort;
  }
  if (std::string_view(area, replacement.size()) == replacement) {
    return AreaRepair::kAlreadyNeutral;
  }
  std::memcpy(area, replacement.data(), replacement.size());
  return AreaRepair::kOverwritten;
}

// The length of a formula's text, or 0 when the bytes are no formula or
// decompile to nothing.
std::uint16_t FormulaTextLength(const char* formula) {
  platform::DHANDLE text = 0;
  std::uint16_t text_length = 0;
  if (platform::FormulaToText(formula, false, &text, &text_length) != platform::kNoError) {
    return 0;
  }
  platform::FreeMemory(text);
  return text_length;
}

// The platform's own rule: only a formula with a text is overwritten, with
// the platform's compiled "0".
AreaRepair NeutraliseDatabaseArea(char* area, std::size_t length) {
  if (length == 0 || FormulaTextLength(area) == 0) {
    return AreaRepair::kNoFormula;
  }
  platform::DHANDLE compiled = 0;
  std::uint16_t compiled_length = 0;
  platform::STATUS compile_error = 0;
  std::uint16_t line = 0;
  std::uint16_t column = 0;
  std::uint16_t offset = 0;
  std::uint16_t error_length = 0;
  if (platform::CompileFormulaText(nullptr, 0, "0", 1, &compiled, &compiled_length, &compile_error,
                                   &line, &column, &offset, &error_length) != platform::kNoError) {
    return AreaRepair::kNoFormula;
  }
  const AreaRepair repair = OverwriteFormulaArea(
      area, length,
      std::string_view(static_cast<const char*>(platform::LockMemory(compiled)), compiled_length));
  platform::UnlockMemory(compiled);
  platform::FreeMemory(compiled);
  return repair;
}

// Whether the outcome for the area follows from its own bytes: the
// platform's reader may read on behind an area that holds no whole formula.
bool OutcomeFollowsFromArea(std::string_view area, HideWhenAreaSource source) {
  if (source == HideWhenAreaSource::kExportedRecords) {
    return true;
  }
  std::string text;
  return platform::formula::Decompile(reinterpret_cast<const std::uint8_t*>(area.data()),
                                      area.size(), &text);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

const HideWhenMemo::Outcome* HideWhenMemo::Find(HideWhenAreaSource source,
                                                std::string_view area) const {
  const Outcomes& outcomes = remembered_[static_cast<std::size_t>(source)];
  const auto found = outcomes.find(area);
  return found == outcomes.end() ? nullptr : &found->second;
}

void HideWhenMemo::Remember(HideWhenAreaSource source, std::string before, Outcome outcome) {
  Outcomes& outcomes = remembered_[static_cast<std::size_t>(source)];
  if (outcomes.size() >= kRememberedAreas) {
    outcomes.clear();
  }
  outcomes.emplace(std::move(before), std::move(outcome));
}

AreaRepair NeutraliseHideWhenArea(char* area, std::size_t length, HideWhenAreaSource source,
                                  HideWhenMemo* memo) {
  const std::string_view bytes(area, length);
  if (memo != nullptr) {
    if (const HideWhenMemo::Outcome* known = memo->Find(source, bytes)) {
      if (length != 0) {
        std::memcpy(area, known->after.data(), length);
      }
      return known->repair;
    }
  }
  std::string before = memo != nullptr ? std::string(bytes) : std::string();
  const AreaRepair repair = source == HideWhenAreaSource::kExportedRecords
                                ? OverwriteFormulaArea(area, length, kCompiledFalse)
                                : NeutraliseDatabaseArea(area, length);
  if (memo != nullptr && OutcomeFollowsFromArea(before, source)) {
    memo->Remember(source, std::move(before), {std::string(area, length), repair});
  }
  return repair;
}

bool IsNeutralHideWhenText(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text.empty() || text == "0";
}

}  // namespace quendral
