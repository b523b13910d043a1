#include "module/repairs.h"

#include <span>

#include "module/notes_object_api.h"
#include "repair/hide_when.h"
#include "repair/link_retarget.h"
#include "util/text/split.h"

namespace quendral {
namespace {

struct HideWhenRepair {
  void Prepare(std::span<LNDatabase>) {}
  WalkResult Walk(LNDocument& document) { return NeutraliseHideWhen(document); }
};

// Opens the document's database and the target database; takes the target's
// replica ID and the list of old IDs before the document is looked up.
class LinkRepair {
 public:
  explicit LinkRepair(const char* old_replica_ids) : old_replica_ids_(old_replica_ids) {}

  void Prepare(std::span<LNDatabase> databases) {
    databases[1].GetReplicaID(&target_replica_id_);
    old_ids_ = OldReplicaIds::FromListText(old_replica_ids_);
  }
  WalkResult Walk(LNDocument& document) {
    return RetargetLinks(document, old_ids_, target_replica_id_);
  }

 private:
  const char* old_replica_ids_;
  TIMEDATE target_replica_id_{};
  OldReplicaIds old_ids_;
};

}  // namespace

FrameOutcome RunFixRichTextFields(const char* server, const char* database,
                                  const char* document_id) {
  HideWhenRepair repair;
  const FrameRequest<1> request{server, {database}, document_id};
  return RunOperationFrame<NotesObjectApi>(request, repair);
}

FrameOutcome RunChangeServerInLinks(const char* server, const char* database,
                                    const char* document_id, const char* old_replica_ids,
                                    const char* target_database) {
  LinkRepair repair(old_replica_ids);
  const FrameRequest<2> request{server, {database, target_database}, document_id};
  return RunOperationFrame<NotesObjectApi>(request, repair);
}

}  // namespace quendral
