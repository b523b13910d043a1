#include "repair/hide_when_records.h"

#include <cstring>

#include "platform/base/coding.h"
#include "platform/notes/richtext/records.h"

namespace quendral {
namespace {

constexpr std::size_t kDefinitionIdOffset = 4;  // behind signature and length

struct RecordsWalk {
  char* records;
  std::size_t fixed_length;
  std::string_view replacement;
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
  met.repair = OverwriteFormulaArea(record + walk.fixed_length, met.area_length, walk.replacement);
  walk.met->push_back(met);
  return platform::kNoError;
}

}  // namespace

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

platform::STATUS NeutraliseHideWhenRecords(char* records, std::size_t size,
                                           std::size_t fixed_length, std::string_view replacement,
                                           std::vector<HideWhenRecordRepair>* met) {
  RecordsWalk walk{records, fixed_length, replacement, met};
  return platform::richtext::EnumerateRecords(records, size, RepairRecord, &walk);
}

}  // namespace quendral
