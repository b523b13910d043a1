// The hide-when rule over a run of composite records held as bytes (no
// data-type word before them), as exports carry rich text: each hide-when
// record's formula area, behind its fixed part, goes through
// NeutraliseHideWhenArea. The record's length and all other records stay.
#ifndef QUENDRAL_REPAIR_HIDE_WHEN_RECORDS_H_
#define QUENDRAL_REPAIR_HIDE_WHEN_RECORDS_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/notes/vocabulary/status.h"
#include "repair/hide_when_area.h"

namespace quendral {

// A hide-when record as a walk met it.
struct HideWhenRecordRepair {
  std::size_t offset = 0;  // of the record, from the start of the records
  std::uint16_t paragraph_definition_id = 0;
  std::size_t area_length = 0;  // record length less the fixed part
  AreaRepair repair = AreaRepair::kOverwritten;
};

// Walks `size` bytes of records from `source`, whose hide-when records have
// a fixed part of `fixed_length` bytes (signature, length, paragraph
// definition ID, then reserved bytes), and neutralises each formula area,
// appending to `met` what became of it. `memo` may be null. A record that
// cannot be walked (one running past the end, or a hide-when record shorter
// than its fixed part) ends the walk with kErrCompositeRecordInvalid; the
// records before it are changed already, so callers that want all or
// nothing work on a copy.
platform::STATUS NeutraliseHideWhenRecords(char* records, std::size_t size,
                                           std::size_t fixed_length, HideWhenAreaSource source,
                                           HideWhenMemo* memo,
                                           std::vector<HideWhenRecordRepair>* met);

}  // namespace quendral

#endif  // QUENDRAL_REPAIR_HIDE_WHEN_RECORDS_H_
