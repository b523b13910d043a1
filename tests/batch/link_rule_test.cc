// The link table as the exported relink and the whole-database relink read
// it: the same bytes for a sound table; a table whose length does not match
// its count is left alone by the whole-database run, as damaged, while the
// exported relink keeps retargeting the entries it holds.
#include <gtest/gtest.h>

#include "batch/batch_fixture.h"
#include "batch/document_repair.h"
#include "repair/link_retarget.h"

namespace quendral::fixtures {
namespace {

namespace store = platform::store;

const UNIVERSALNOTEID kNote{{{3, 3}}, {{3, 3}}};

// The value of a table of `links` whose count word is set to `count`.
std::vector<std::uint8_t> Miscounted(const std::vector<NoteLink>& links, std::uint16_t count) {
  std::vector<std::uint8_t> value = LinksItem(links).value;
  value[0] = static_cast<std::uint8_t>(count);
  return value;
}

class LinkRuleTest : public BatchTest {
 protected:
  // The $Links value after the exported walk and after the batch repair, each
  // on its own copy of the stored document.
  struct Relinked {
    std::vector<std::uint8_t> by_walk, by_run;
    batch::RepairOutcome run_outcome;
  };

  Relinked Relink(const store::NoteImage& note) {
    LNDatabase database = Open("links.nsf");
    LNDocument by_walk, by_run;
    EXPECT_EQ(database.GetDocument(note.unid, &by_walk), 0u);
    EXPECT_EQ(database.GetDocument(note.unid, &by_run), 0u);
    EXPECT_EQ(by_walk.Open(0), 0u);
    EXPECT_EQ(by_run.Open(0), 0u);
    RetargetLinks(by_walk, OldReplicaIds::FromListText(kOldReplicaText), kTargetReplica);
    batch::RelinkRepair repair(kOldReplicaText, kTargetReplica);
    Relinked relinked;
    relinked.run_outcome = repair.Repair(by_run);
    LNItem walk_links, run_links;
    EXPECT_EQ(by_walk.GetItem(kLinkTableItemName, &walk_links), 0u);
    EXPECT_EQ(by_run.GetItem(kLinkTableItemName, &run_links), 0u);
    relinked.by_walk = walk_links.GetValue();
    relinked.by_run = run_links.GetValue();
    return relinked;
  }
};

TEST_F(LinkRuleTest, BothRelinksAgreeOnSoundTablesAndTheRunLeavesDamagedOnesAlone) {
  const NoteLink old_link = LinkTo(kOldReplica, kNote);
  const NoteLink other_link = LinkTo(kHomeReplica, kNote);
  const NoteLink new_link = LinkTo(kTargetReplica, kNote);
  const struct {
    const char* name;
    std::vector<std::uint8_t> table;
    std::vector<std::uint8_t> by_walk;  // the run's bytes too, for a sound table
    bool damaged;
  } cases[] = {
      {"sound", LinksItem({old_link, other_link}).value, LinksItem({new_link, other_link}).value,
       false},
      {"no entries", LinksItem({}).value, LinksItem({}).value, false},
      {"shorter than its count", Miscounted({old_link}, 2), Miscounted({new_link}, 2), true},
      {"longer than its count", Miscounted({old_link, old_link}, 1),
       Miscounted({new_link, old_link}, 1), true},
  };
  std::vector<store::NoteImage> notes;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    store::NoteImage note = SampleDocument(static_cast<int>(i));
    note.items[3].value = cases[i].table;
    notes.push_back(note);
  }
  CreateDatabase("links.nsf", kHomeReplica, notes);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].name);
    const Relinked relinked = Relink(notes[i]);
    EXPECT_EQ(relinked.by_walk, cases[i].by_walk);
    if (cases[i].damaged) {
      EXPECT_EQ(relinked.run_outcome.kind, batch::RepairOutcome::Kind::kFailed);
      EXPECT_EQ(relinked.run_outcome.reason, "link table $Links is damaged");
      EXPECT_EQ(relinked.by_run, cases[i].table);
    } else {
      EXPECT_EQ(relinked.run_outcome.kind, batch::RepairOutcome::Kind::kDone);
      EXPECT_EQ(relinked.by_run, relinked.by_walk);
    }
  }
}

}  // namespace
}  // namespace quendral::fixtures
