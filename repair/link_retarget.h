// Retargeting links: every entry of a document's link table ($Links) whose
// database replica ID is one of a list of old replica IDs is given the replica
// ID of a target database, after the untouched table was copied into a
// timestamped backup item. The links' view and document identities are kept.
#ifndef QUENDRAL_REPAIR_LINK_RETARGET_H_
#define QUENDRAL_REPAIR_LINK_RETARGET_H_

#include <string>
#include <vector>

#include "platform/notes/api/ln.h"
#include "repair/walk_result.h"
#include "util/dates/datetime.h"

namespace quendral {

// The name of the backup item for a table backed up at `now`:
// "$Links_Backup_YYYYMMDDhhmmss".
std::string LinkTableBackupName(const util::DateTimeValue& now);

// The old replica IDs a retargeting looks for, given as texts that match the
// entries' "%08X:%08X" texts byte for byte. Read once, they serve any number
// of documents.
class OldReplicaIds {
 public:
  OldReplicaIds() = default;
  explicit OldReplicaIds(const std::vector<std::string>& texts);
  // The texts of a list separated by ";", each trimmed of white space;
  // empty pieces are dropped.
  static OldReplicaIds FromListText(const std::string& list);
  // Whether the text of `replica_id` is one of the texts.
  bool Contains(const TIMEDATE& replica_id) const;

 private:
  // The IDs whose text is one of the texts; a text no ID has matches none.
  std::vector<TIMEDATE> ids_;
};

// Rewrites the matching entries of every $Links item of the opened document,
// each table read as LinkTableReading::kEntriesThatFit: of a table shorter
// than its count, the entries it holds. (The whole-database run leaves such
// a table alone, as damaged.) `changed` is set when an entry was rewritten; a status thrown inside
// (a failed backup, say) ends the walk and is reported with what was changed before it.
WalkResult RetargetLinks(LNDocument& document, const OldReplicaIds& old_ids,
                         const TIMEDATE& target_replica_id);

}  // namespace quendral

#endif  // QUENDRAL_REPAIR_LINK_RETARGET_H_
