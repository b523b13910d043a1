#include "repair/hide_when.h"

#include <string_view>

#include "notes/item_walk.h"
#include "platform/notes/core/core_api.h"
#include "platform/notes/core/memory.h"
#include "repair/hide_when_records.h"

namespace quendral {
namespace {

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

void VisitItem(const ItemView& item, HideWhenWalk* walk) {
  LockedValue value(item.value, item.value_length);
  if (value.block() == nullptr) {
    return;
  }
  // Failures of the enumeration on one item leave the walk going on with the
  // next item.
  platform::EnumerateCompositeRecords(value.block(), value.size(), HideWhenRecordAction, walk);
}

}  // namespace

WalkResult NeutraliseHideWhen(LNDocument& document) {
  HideWhenWalk walk;
  try {
    const platform::NOTEHANDLE note = document.GetNoteHandle(1);
    ForEachItem(note, [&walk](const ItemView& item) { VisitItem(item, &walk); });
  } catch (LNSTATUS status) {
    return {walk.changed != 0, status};
  }
  return {walk.changed != 0, 0};
}

platform::STATUS HideWhenRecordAction(char* record, std::uint16_t signature,
                                      std::uint32_t record_length, void* context) {
  if (signature != platform::richtext::kSignatureHideWhen) {
    return platform::kNoError;
  }
  auto* walk = static_cast<HideWhenWalk*>(context);
  walk->changed = 1;
  const std::uint16_t fixed_length =
      platform::CanonicalStructureLength(platform::richtext::kStructureHideWhen);
  if (record_length < fixed_length) {
    return platform::kNoError;
  }
  char* formula = record;
  platform::richtext::HideWhenFixedPart fixed_part;
  platform::ReadCanonicalStructure(&formula, platform::richtext::kStructureHideWhen, &fixed_part,
                                   1);
  OverwriteFormulaWithFalse(formula, static_cast<std::uint16_t>(record_length - fixed_length));
  return platform::kNoError;
}

void OverwriteFormulaWithFalse(char* formula, std::uint16_t length) {
  if (length == 0 || FormulaTextLength(formula) == 0) {
    return;
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
    return;
  }
  // An area too small for the replacement is left alone rather than
  // overrunning the record behind it.
  OverwriteFormulaArea(
      formula, length,
      std::string_view(static_cast<const char*>(platform::LockMemory(compiled)), compiled_length));
  platform::UnlockMemory(compiled);
  platform::FreeMemory(compiled);
}

}  // namespace quendral
