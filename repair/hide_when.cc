#include "repair/hide_when.h"

#include <cstring>

#include "notes/item_walk.h"
#include "platform/notes/core_api.h"
#include "platform/notes/memory.h"

namespace quendral {
namespace {

// The length of a formula's text, or 0 when the bytes are no formula or
// decompile to nothing.
std::uint16_t FormulaTextLength(const char* formula) {
  notes::DHANDLE text = 0;
  std::uint16_t text_length = 0;
  if (notes::FormulaToText(formula, false, &text, &text_length) != notes::kNoError) return 0;
  notes::FreeMemory(text);
  return text_length;
}

void VisitItem(const ItemView& item, HideWhenWalk* walk) {
  LockedValue value(item.value, item.value_length);
  if (value.block() == nullptr) return;
  // Failures of the enumeration on one item leave the walk going on with the
  // next item.
  notes::EnumerateCompositeRecords(value.block(), value.size(), HideWhenRecordAction, walk);
}

}  // namespace

WalkResult NeutraliseHideWhen(LNDocument& document) {
  HideWhenWalk walk;
  try {
    const notes::NOTEHANDLE note = document.GetNoteHandle(1);
    ForEachItem(note, [&walk](const ItemView& item) { VisitItem(item, &walk); });
  } catch (LNSTATUS status) {
    return {walk.changed != 0, status};
  }
  return {walk.changed != 0, 0};
}

notes::STATUS HideWhenRecordAction(char* record, std::uint16_t signature,
                                   std::uint32_t record_length, void* context) {
  if (signature != notes::richtext::kSignatureHideWhen) return notes::kNoError;
  auto* walk = static_cast<HideWhenWalk*>(context);
  walk->changed = 1;
  const std::uint16_t fixed_length =
      notes::CanonicalStructureLength(notes::richtext::kStructureHideWhen);
  if (record_length < fixed_length) return notes::kNoError;
  char* formula = record;
  notes::richtext::HideWhenFixedPart fixed_part;
  notes::ReadCanonicalStructure(&formula, notes::richtext::kStructureHideWhen, &fixed_part, 1);
  OverwriteFormulaWithFalse(formula, static_cast<std::uint16_t>(record_length - fixed_length));
  return notes::kNoError;
}

void OverwriteFormulaWithFalse(char* formula, std::uint16_t length) {
  if (length == 0 || FormulaTextLength(formula) == 0) return;
  notes::DHANDLE compiled = 0;
  std::uint16_t compiled_length = 0;
  notes::STATUS compile_error = 0;
  std::uint16_t line = 0;
  std::uint16_t column = 0;
  std::uint16_t offset = 0;
  std::uint16_t error_length = 0;
  if (notes::CompileFormulaText(nullptr, 0, "0", 1, &compiled, &compiled_length, &compile_error,
                                &line, &column, &offset, &error_length) != notes::kNoError) {
    return;
  }
  // An area too small for the replacement is left alone rather than
  // overrunning the record behind it.
  if (compiled_length <= length) {
    std::memcpy(formula, notes::LockMemory(compiled), compiled_length);
    notes::UnlockMemory(compiled);
  }
  notes::FreeMemory(compiled);
}

}  // namespace quendral
