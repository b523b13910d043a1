#include "dxl/binary_rich_text.h"

#include "repair/hide_when_records.h"

namespace quendral::dxl {

bool IsBinaryRichText(std::string_view type) {
  while (type.size() > 1 && type.front() == '0') {
    type.remove_prefix(1);
  }
  return type == "1";
}

BinaryRichText NeutraliseBinaryRichText(std::string_view text, HideWhenMemo* memo) {
  BinaryRichText result;
  Base64Text value;
  if (!value.Decode(text)) {
    result.problem = kNotPlainBase64;
    return result;
  }
  std::vector<HideWhenRecordRepair> met;
  const platform::STATUS status = NeutraliseHideWhenRecords(
      value.bytes().data(), value.bytes().size(), kExportedHideWhenFixedPart,
      HideWhenAreaSource::kExportedRecords, memo, &met);
  for (const HideWhenRecordRepair& record : met) {
    result.hide_whens.push_back(
        {record.paragraph_definition_id, record.area_length, record.repair});
  }
  if (status != platform::kNoError) {
    result.problem = "its rich-text records cannot be walked (one runs past the end)";
    return result;
  }
  result.edits = value.Edits();
  return result;
}

}  // namespace quendral::dxl
