#include "batch/document_lookup.h"

#include <algorithm>

namespace quendral::batch {

platform::STATUS DocumentLookup::Holds(const UNIVERSALNOTEID& unid, bool* held) {
  ++questions_;
  RememberWhenWorthIt();
  if (memory_ == Memory::kRemembering) {
    *held = std::binary_search(remembered_.begin(), remembered_.end(), KeyOf(unid));
    return platform::kNoError;
  }
  return database_.Holds(unid, held);
}

DocumentLookup::Key DocumentLookup::KeyOf(const UNIVERSALNOTEID& unid) {
  return {std::uint64_t{unid.File.Innards[1]} << 32 | unid.File.Innards[0],
          std::uint64_t{unid.Note.Innards[1]} << 32 | unid.Note.Innards[0]};
}

void DocumentLookup::RememberWhenWorthIt() {
  if (memory_ != Memory::kQuerying || questions_ < kQuestionsBeforeListing) {
    return;
  }
  std::vector<UNIVERSALNOTEID> listed;
  if (database_.ListIds(kMaxRememberedDocuments + 1, &listed) != platform::kNoError ||
      listed.size() > kMaxRememberedDocuments) {
    memory_ = Memory::kGivenUp;
    return;
  }
  remembered_.reserve(listed.size());
  for (const UNIVERSALNOTEID& unid : listed) {
    remembered_.push_back(KeyOf(unid));
  }
  std::sort(remembered_.begin(), remembered_.end());
  memory_ = Memory::kRemembering;
}

}  // namespace quendral::batch
