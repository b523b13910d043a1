// Databases of many documents for the whole-database runs, and a session
// to run over them.
#ifndef QUENDRAL_TESTS_BATCH_BATCH_FIXTURE_H_
#define QUENDRAL_TESTS_BATCH_BATCH_FIXTURE_H_

#include <string>
#include <vector>

#include "batch/batch_run.h"
#include "platform/notes/api/item_values.h"
#include "repair/link_table.h"
#include "repair/repair_fixture.h"

namespace quendral::fixtures {

inline const TIMEDATE kHomeReplica{{0x11111111, 0xAAAAAAAA}};
inline const TIMEDATE kOldReplica{{0x0058F1B2, 0x85256E3A}};
inline const TIMEDATE kTargetReplica{{0xCAFEBABE, 0x0BADF00D}};
inline constexpr char kOldReplicaText[] = "85256E3A:0058F1B2";

platform::store::ItemImage LinksItem(const std::vector<NoteLink>& links);
NoteLink LinkTo(const TIMEDATE& replica, const UNIVERSALNOTEID& note);

// Document `index`: Subject "Document <index>", Status "Closed" for odd
// indexes else "Open", a Body whose second paragraph is hidden when the
// status is "Closed", and a $Links table of one link to the old replica.
platform::store::NoteImage SampleDocument(int index);

class BatchTest : public RepairTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  void CreateDatabase(const std::string& path, const TIMEDATE& replica_id,
                      std::vector<platform::store::NoteImage> notes);
  // The database open in the test's session.
  LNDatabase Open(const std::string& path);
  std::vector<platform::store::NoteImage> StoredNotes(const std::string& path) const;
  std::vector<std::uint8_t> FileBytes(const std::string& path) const;

  report::RunSummary Run(const std::string& path, batch::DocumentRepair& repair,
                         const batch::RunOptions& options = {});

  LNNotesSession session_;
};

}  // namespace quendral::fixtures

#endif  // QUENDRAL_TESTS_BATCH_BATCH_FIXTURE_H_
