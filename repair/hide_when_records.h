// The hide-when rule over the bytes of rich text, wherever they come from:
// a hide-when record's formula area (the rest of the record behind its fixed
// part) gets a compiled "always false" formula copied over its start. The
// record's length and the bytes of the area behind the copy stay, as do all
// other records. The database repair and the repair of exported rich text
// both go through here; they differ only in the fixed part's length and in
// the compiled formula they copy.
#ifndef QUENDRAL_REPAIR_HIDE_WHEN_RECORDS_H_
#define QUENDRAL_REPAIR_HIDE_WHEN_RECORDS_H_

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/notes/vocabulary/status.h"

namespace quendral {

// What became of one formula area.
enum class AreaRepair : std::uint8_t {
  kOverwritten,     // the replacement was copied over its start
  kAlreadyNeutral,  // it started with the replacement already
  kTooShort,        // shorter than the replacement: left as it was
};

// Copies `replacement` over the start of the `length` bytes at `area`,
// unless they start with it already or are too few to take it.
AreaRepair OverwriteFormulaArea(char* area, std::size_t length, std::string_view replacement);

// A hide-when record as a walk met it.
struct HideWhenRecordRepair {
  std::size_t offset = 0;  // of the record, from the start of the records
  std::uint16_t paragraph_definition_id = 0;
  std::size_t area_length = 0;  // record length less the fixed part
  AreaRepair repair = AreaRepair::kOverwritten;
};

// Walks `size` bytes of records (no data-type word before them), whose
// hide-when records have a fixed part of `fixed_length` bytes (signature,
// length, paragraph definition ID, then reserved bytes), and overwrites each
// formula area with `replacement`, appending to `met` what became of it.
// A record that cannot be walked (one running past the end, or a hide-when
// record shorter than its fixed part) ends the walk with
// kErrCompositeRecordInvalid; the records before it are changed already, so
// callers that want all or nothing work on a copy.
platform::STATUS NeutraliseHideWhenRecords(char* records, std::size_t size,
                                           std::size_t fixed_length, std::string_view replacement,
                                           std::vector<HideWhenRecordRepair>* met);

}  // namespace quendral

#endif  // QUENDRAL_REPAIR_HIDE_WHEN_RECORDS_H_
