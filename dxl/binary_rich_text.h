// Rich text as exports carry it when they do not write it as DXL text: an
// item's stored composite records, Base64 in <rawitemdata type='1'> (one
// rich-text value may be split over several items of one name, each holding
// whole records). Its paragraph hide-when records have a 14-byte fixed part
// (signature, length, paragraph definition ID, 8 reserved bytes) and the
// compiled formula fills the rest. Their formulas cannot be read back to
// text here, so each is neutralised by the repair's rule for exported
// records: the original platform's compiled "0" copied over its start.
#ifndef QUENDRAL_DXL_BINARY_RICH_TEXT_H_
#define QUENDRAL_DXL_BINARY_RICH_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dxl/base64_text.h"
#include "repair/hide_when_area.h"

namespace quendral::dxl {

inline constexpr std::size_t kExportedHideWhenFixedPart = 14;

inline constexpr char kTooShortReason[] = "too short for the compiled formula 0";
inline constexpr char kNotPlainBase64[] = "its rich text is not plain Base64";

// Whether an item data's type attribute (hexadecimal) is rich text.
bool IsBinaryRichText(std::string_view type);

struct BinaryHideWhen {
  std::uint16_t paragraph_definition_id = 0;
  std::size_t bytes = 0;  // the formula area's length
  AreaRepair repair = AreaRepair::kOverwritten;
};

struct BinaryRichText {
  // Every hide-when record met, in order, and what the repair made of it.
  std::vector<BinaryHideWhen> hide_whens;
  // Why the value could not be read whole (not Base64, or a record that
  // cannot be walked); empty when it could. Its records then stay as they
  // were, and `hide_whens` holds only those met before the fault.
  std::string problem;
  // What writes the repaired value back into the text read; none unless
  // some area was overwritten and the value was read whole.
  std::vector<Base64Edit> edits;
};

// Decodes the Base64 `text` of one item and neutralises its hide-when
// records on the decoded copy. `memo` (may be null) carries the areas met in
// the items before.
BinaryRichText NeutraliseBinaryRichText(std::string_view text, HideWhenMemo* memo = nullptr);

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_BINARY_RICH_TEXT_H_
