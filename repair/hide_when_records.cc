#include "repair/hide_when_records.h"

#include "platform/base/coding.h"
#include "platform/notes/richtext/records.h"

namespace quendral {
namespace {

constexpr std::size_t kDefinitionIdOffset = 4;  // behind signature and length

struct RecordsWalk {
  char* records;
  std::size_t fixed_length;
  HideWhenAreaSource source;
  HideWhenMemo* memo;
  std::vector<HideWhenRecordRepair>* met;
};

platform::STATUS RepairRecord(char* record, std::uint16_t signature, std::uint32_t record_length,
                              void* context) {
  if (signature != platform::richtext::kSignatureHideWhen) {
    return platform::kNoError;
  }
  const auto& walk = *static_cast<RecordsWalk*>(context);
  if (record_length < walk.fixed_length) {
    return platform::kErrCompositeRecordInvalid;
  }
  HideWhenRecordRepair met;
  met.offset = static_cast<std::size_t>(record - walk.records);
  met.paragraph_definition_id = base::LoadLittle16(record + kDefinitionIdOffset);
  met.area_length = record_length - walk.fixed_length;
  met.repair =
      NeutraliseHideWhenArea(record + walk.fixed_length, met.area_length, walk.source, walk.memo);
  walk.met->push_back(met);
  return platform::kNoError;
}

}  // namespace

platform::STATUS NeutraliseHideWhenRecords(char* records, std::size_t size,
                                           std::size_t fixed_length, HideWhenAreaSource source,
                                           HideWhenMemo* memo,
                                           std::vector<HideWhenRecordRepair>* met) {
  RecordsWalk walk{records, fixed_length, source, memo, met};
  return platform::richtext::EnumerateRecords(records, size, RepairRecord, &walk);
}

}  // namespace quendral
