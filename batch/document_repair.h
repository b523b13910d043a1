// The repairs a whole-database run applies to each document it takes: the
// exported repairs' own walks, and putting a link table back from a backup.
// Each changes the open document in memory only; the run decides from the
// document's bytes whether there is anything to save.
#ifndef QUENDRAL_BATCH_DOCUMENT_REPAIR_H_
#define QUENDRAL_BATCH_DOCUMENT_REPAIR_H_

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/notes/api/database_file.h"
#include "platform/notes/api/ln.h"
#include "platform/notes/images/note_images.h"
#include "repair/hide_when_area.h"
#include "repair/link_retarget.h"

namespace quendral::batch {

struct RepairOutcome {
  enum class Kind {
    kDone,      // repaired in memory, or nothing to repair
    kNoBackup,  // restoring links: the document has no backup to restore
    kFailed,    // left alone, for `reason`
  };
  Kind kind = Kind::kDone;
  std::string reason;

  static RepairOutcome Failed(std::string reason) { return {Kind::kFailed, std::move(reason)}; }
};

class DocumentRepair {
 public:
  virtual ~DocumentRepair() = default;
  virtual RepairOutcome Repair(LNDocument& document) = 0;
};

// Neutralises the document's hide-when formulas. Each distinct formula area
// is neutralised once; the areas met again, as in most documents of a
// database, get the same bytes copied.
class HideWhenRepair : public DocumentRepair {
 public:
  RepairOutcome Repair(LNDocument& document) override;

 private:
  HideWhenMemo memo_;
};

// Points the document's links from the old replicas at the target, with a
// backup of each link table before its first change. A damaged link table
// fails the document.
class RelinkRepair : public DocumentRepair {
 public:
  // `old_replica_ids`: "XXXXXXXX:XXXXXXXX" texts separated by ";".
  RelinkRepair(const std::string& old_replica_ids, const TIMEDATE& target_replica_id);
  RepairOutcome Repair(LNDocument& document) override;

 private:
  OldReplicaIds old_ids_;
  TIMEDATE target_replica_id_;
};

// Puts $Links back from a backup item: the one named `backup_name`, or when
// that is empty the newest by the time in its name (of equal times, the one
// added last). The current table is kept first as a new backup item; the
// backups stay. A document whose table already equals the backup is left as
// it is.
class LinkRestore : public DocumentRepair {
 public:
  explicit LinkRestore(std::string backup_name) : backup_name_(std::move(backup_name)) {}
  RepairOutcome Repair(LNDocument& document) override;

 private:
  std::string backup_name_;
};

// The names of the link-table backups among a document's `items`, in
// storage order.
std::vector<std::string> LinkBackupNames(const std::vector<LNItem>& items);

// "" when every $Links table among a document's `items` reads as a link
// list, else why one does not.
std::string DamagedLinkTable(const std::vector<LNItem>& items);

// The same for an open document, walked item by item in memory.
std::string DamagedLinkTable(LNDocument& document);

// The same for a document read as item images.
std::vector<std::string> LinkBackupNames(const std::vector<platform::store::ItemImage>& items);
std::string DamagedLinkTable(const std::vector<platform::store::ItemImage>& items);

}  // namespace quendral::batch

#endif  // QUENDRAL_BATCH_DOCUMENT_REPAIR_H_
