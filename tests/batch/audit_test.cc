// Audits: every kind of finding on a database built to hold them all, and
// none on a clean one.
#include "batch/audit.h"

#include <gtest/gtest.h>

#include "batch/batch_fixture.h"
#include "batch/document_repair.h"
#include "repair/hide_when.h"

namespace quendral::fixtures {
namespace {

namespace store = platform::store;

const UNIVERSALNOTEID kArchived{{{7, 7}}, {{7, 7}}};
const UNIVERSALNOTEID kMissing{{{8, 8}}, {{8, 8}}};
const UNIVERSALNOTEID kArchiveProfile{{{6, 6}}, {{6, 6}}};

class AuditTest : public BatchTest {
 protected:
  void SetUp() override {
    BatchTest::SetUp();
    store::NoteImage archived;
    archived.unid = kArchived;
    store::NoteImage profile;
    profile.unid = kArchiveProfile;
    profile.note_class = store::NoteClass::kProfile;
    profile.profile_name = "Settings";
    CreateDatabase("archive.nsf", kTargetReplica, {archived, profile});
  }

  report::DatabaseAudit AuditOf(const std::string& path) {
    batch::LinkTargets targets(session_, "");
    LNDatabase database = Open(path);
    return batch::AuditDatabase(database, path, targets, {});
  }
};

TEST_F(AuditTest, FindsEveryKindOfFinding) {
  store::NoteImage note = SampleDocument(1);  // closed: its paragraph is hidden now
  note.items[2] =
      RichTextItem("Body", {HiddenParagraph("hidden now", Compiled("Status = \"Closed\"")),
                            HiddenParagraph("not hidden now", Compiled("Status = \"Open\"")),
                            HiddenParagraph("already neutralised", Compiled("0")),
                            HiddenParagraph("failing", Compiled("Status + 1"))});
  note.items[3] = LinksItem({LinkTo(kOldReplica, kArchived), LinkTo(kTargetReplica, kMissing),
                             LinkTo(kTargetReplica, kArchived)});
  note.items.push_back(
      {"$Links_Backup_20090225142307", platform::kTypeNoteLinkList, 0, note.items[3].value});
  CreateDatabase("audited.nsf", kHomeReplica, {note, SampleDocument(2)});

  const report::DatabaseAudit audit = AuditOf("audited.nsf");
  EXPECT_EQ(audit.documents, 2);
  EXPECT_EQ(audit.replica_id, "AAAAAAAA:11111111");
  ASSERT_EQ(audit.findings.size(), 2u);  // the second document's paragraph is hidden too
  const report::DocumentFindings& found = audit.findings[0];
  ASSERT_EQ(found.hidden.size(), 3u);
  EXPECT_EQ(found.hidden[0].item, "Body");
  EXPECT_EQ(found.hidden[0].formula, "Status = \"Closed\"");
  EXPECT_EQ(found.hidden[0].hides, true);
  EXPECT_EQ(found.hidden[1].hides, false);
  // Whether a failing formula hides its paragraph no one can tell.
  EXPECT_EQ(found.hidden[2].hides, std::nullopt);
  EXPECT_EQ(found.hidden[2].extra["reason"],
            "The formula could not be evaluated: Incorrect data type for operator '+' at "
            "position 0");
  ASSERT_EQ(found.links.size(), 2u);
  EXPECT_EQ(found.links[0].index, 0);
  EXPECT_EQ(found.links[0].status, report::kDatabaseNotFound);
  EXPECT_EQ(found.links[0].replica_id, kOldReplicaText);
  EXPECT_EQ(found.links[1].index, 1);
  EXPECT_EQ(found.links[1].status, report::kDocumentNotFound);
  EXPECT_EQ(found.backups, std::vector<std::string>{"$Links_Backup_20090225142307"});
}

// The first questions asked of a database are queries, the later ones are
// answered from its list of documents read once: both answer alike.
TEST_F(AuditTest, LinkStatusesStayTheSameWhenTheTargetIsRemembered) {
  const UNIVERSALNOTEID targets[] = {kArchived, kMissing, kArchiveProfile};
  std::vector<NoteLink> links;
  for (std::size_t i = 0; i < 2 * batch::DocumentLookup::kQuestionsBeforeListing; ++i) {
    links.push_back(LinkTo(kTargetReplica, targets[i % 3]));
  }
  store::NoteImage note = SampleDocument(0);
  note.items[3] = LinksItem(links);
  CreateDatabase("many.nsf", kHomeReplica, {note});
  const report::DatabaseAudit audit = AuditOf("many.nsf");
  ASSERT_EQ(audit.findings.size(), 1u);
  const std::vector<report::LinkFinding>& found = audit.findings[0].links;
  ASSERT_EQ(found.size(), 2 * links.size() / 3);  // every link but those to kArchived
  for (const report::LinkFinding& link : found) {
    EXPECT_NE(link.index % 3, 0) << link.index;
    EXPECT_EQ(link.status, report::kDocumentNotFound) << link.index;
  }
}

// The targets keep the databases audited before as they were handed over: one
// its owner closed since is looked up again, not taken to have no documents.
TEST_F(AuditTest, LinksIntoADatabaseAuditedAndClosedBeforeStillResolve) {
  store::NoteImage note = SampleDocument(0);
  note.items[3] = LinksItem({LinkTo(kTargetReplica, kArchived)});
  CreateDatabase("linking.nsf", kHomeReplica, {note});
  batch::LinkTargets targets(session_, "");
  LNDatabase archive = Open("archive.nsf");
  batch::AuditDatabase(archive, "archive.nsf", targets, {});
  ASSERT_EQ(archive.Close(), 0u);
  LNDatabase linking = Open("linking.nsf");
  const report::DatabaseAudit audit = batch::AuditDatabase(linking, "linking.nsf", targets, {});
  for (const report::DocumentFindings& found : audit.findings) {
    EXPECT_TRUE(found.links.empty()) << found.unid;  // only broken links are listed
  }
}

// Formulas run in paragraph order on the document's items: a later one sees
// what an earlier one assigned, and an assignment to the rich-text item
// itself changes nothing of what was found.
TEST_F(AuditTest, FormulasThatAssignFieldsAreJudgedInOrder) {
  store::NoteImage note = SampleDocument(0);
  note.items[2] = RichTextItem("Body", {HiddenParagraph("a", Compiled("FIELD Added := 1; 1")),
                                        HiddenParagraph("b", Compiled("FIELD Body := \"gone\"; 0")),
                                        HiddenParagraph("c", Compiled("Added = 1"))});
  CreateDatabase("assigning.nsf", kHomeReplica, {note});
  const report::DatabaseAudit audit = AuditOf("assigning.nsf");
  ASSERT_EQ(audit.findings.size(), 1u);
  const std::vector<report::HiddenParagraph>& hidden = audit.findings[0].hidden;
  ASSERT_EQ(hidden.size(), 3u);
  for (std::size_t i = 0; i < hidden.size(); ++i) {
    EXPECT_EQ(hidden[i].item, "Body") << i;
  }
  EXPECT_EQ(hidden[0].hides, true);
  EXPECT_EQ(hidden[1].hides, false);
  EXPECT_EQ(hidden[2].hides, true);
}

TEST_F(AuditTest, FindsNothingInACleanDatabase) {
  store::NoteImage note = SampleDocument(0);
  note.items[2] =
      RichTextItem("Body", {TextParagraph("plain"), HiddenParagraph("neutralised", Compiled("0"))});
  note.items[3] = LinksItem({LinkTo(kTargetReplica, kArchived)});
  CreateDatabase("clean.nsf", kHomeReplica, {note});
  const report::DatabaseAudit audit = AuditOf("clean.nsf");
  EXPECT_EQ(audit.documents, 1);
  EXPECT_TRUE(audit.findings.empty());
}

// Areas the repair neutralises, leaves alone, and one cut short whose
// formula runs on into the records behind it; each twice, so that the second
// is judged by what was learnt from the first.
TEST_F(AuditTest, ReportsAndRepairsExactlyWhatTheRepairsOwnWalkChanges) {
  std::vector<std::uint8_t> cut_short = Compiled("Status = \"Closed\"");
  cut_short.resize(cut_short.size() - 3);
  std::vector<store::NoteImage> notes;
  for (int i = 0; i < 2; ++i) {
    store::NoteImage note = SampleDocument(i);
    note.items[2] =
        RichTextItem("Body", {HiddenParagraph("closed", Compiled("Status = \"Closed\"")),
                              HiddenParagraph("neutralised", Compiled("0")),
                              HiddenParagraph("cut", cut_short), HiddenParagraph("empty", {})});
    notes.push_back(note);
  }
  CreateDatabase("mixed.nsf", kHomeReplica, notes);
  const report::DatabaseAudit audit = AuditOf("mixed.nsf");

  LNDatabase database = Open("mixed.nsf");
  batch::HideWhenRepair repair;
  for (std::size_t i = 0; i < notes.size(); ++i) {
    LNDocument by_run, by_walk;
    ASSERT_EQ(database.GetDocument(notes[i].unid, &by_run), 0u);
    ASSERT_EQ(database.GetDocument(notes[i].unid, &by_walk), 0u);
    ASSERT_EQ(by_run.Open(0), 0u);
    ASSERT_EQ(by_walk.Open(0), 0u);
    ASSERT_EQ(repair.Repair(by_run).kind, batch::RepairOutcome::Kind::kDone);
    NeutraliseHideWhen(by_walk);
    LNItem run_body, walk_body;
    ASSERT_EQ(by_run.GetItem("Body", &run_body), 0u);
    ASSERT_EQ(by_walk.GetItem("Body", &walk_body), 0u);
    EXPECT_EQ(run_body.GetValue(), walk_body.GetValue());

    std::vector<platform::richtext::Paragraph> before, after;
    ASSERT_EQ(platform::values::DecodeRichText(notes[i].items[2].value.data(),
                                               notes[i].items[2].value.size(), &before),
              platform::kNoError);
    const std::vector<std::uint8_t> walked = walk_body.GetValue();
    ASSERT_EQ(platform::values::DecodeRichText(walked.data(), walked.size(), &after),
              platform::kNoError);
    std::size_t changed = 0;
    for (std::size_t p = 0; p < before.size(); ++p) {
      changed += before[p].hide_when_area != after[p].hide_when_area;
    }
    ASSERT_LT(i, audit.findings.size());
    EXPECT_EQ(audit.findings[i].hidden.size(), changed) << "document " << i;
  }
}

}  // namespace
}  // namespace quendral::fixtures
