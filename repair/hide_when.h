// Neutralising hide-when formulas: every non-empty compiled hide-when
// formula of a document's rich text is overwritten in place by the compiled
// formula "0", which is always false, so that no paragraph stays hidden.
// Record lengths, paragraph attributes and all other records stay as they
// are. Each formula area goes through NeutraliseHideWhenArea.
#ifndef QUENDRAL_REPAIR_HIDE_WHEN_H_
#define QUENDRAL_REPAIR_HIDE_WHEN_H_

#include <cstdint>

#include "platform/notes/api/ln.h"
#include "repair/hide_when_area.h"
#include "repair/walk_result.h"

namespace quendral {

// The state of one walk, handed to the record action through the
// enumeration's context so that walks on different threads never share it.
struct HideWhenWalk {
  int changed = 0;               // a hide-when record was met
  HideWhenMemo* memo = nullptr;  // the areas met before, when kept
};

// Offers every item of the opened document to the record enumeration and
// neutralises each hide-when record. `changed` is set for every hide-when
// record met, whether or not its formula needed overwriting. A status thrown
// inside ends the walk; what was changed before it is still reported.
// `memo` carries the areas met from document to document (a whole-database
// run); without it, the walk remembers the areas of this document only.
WalkResult NeutraliseHideWhen(LNDocument& document, HideWhenMemo* memo = nullptr);

// The enumeration's action: neutralises a hide-when record (a record whose
// fixed part does not fit is left alone) and passes over every other record.
// `context` is the walk's HideWhenWalk. Always continues.
platform::STATUS HideWhenRecordAction(char* record, std::uint16_t signature,
                                      std::uint32_t record_length, void* context);

}  // namespace quendral

#endif  // QUENDRAL_REPAIR_HIDE_WHEN_H_
