#include "repair/hide_when.h"

#include "notes/item_walk.h"
#include "platform/notes/core/core_api.h"
#include "platform/notes/core/memory.h"
#include "repair/hide_when_records.h"

namespace quendral {
namespace {

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

WalkResult NeutraliseHideWhen(LNDocument& document, HideWhenMemo* memo) {
  HideWhenMemo own_memo;
  HideWhenWalk walk{0, memo != nullptr ? memo : &own_memo};
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
  NeutraliseHideWhenArea(formula, record_length - fixed_length,
                         HideWhenAreaSource::kDatabaseRichText, walk->memo);
  return platform::kNoError;
}

}  // namespace quendral
