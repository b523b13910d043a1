// Repairs run over whole databases: which documents they take, what they
// save, and what they leave for the next run.
#include "batch/batch_run.h"

#include <gtest/gtest.h>

#include "batch/batch_fixture.h"
#include "platform/notes/richtext/paragraphs.h"

namespace quendral::fixtures {
namespace {

namespace fs = std::filesystem;
namespace store = platform::store;

constexpr char kDatabase[] = "apps/many.nsf";

std::vector<store::NoteImage> SampleDocuments(int count) {
  std::vector<store::NoteImage> notes;
  for (int i = 0; i < count; ++i) {
    notes.push_back(SampleDocument(i));
  }
  return notes;
}

const store::ItemImage& Item(const store::NoteImage& note, const std::string& name) {
  for (const store::ItemImage& item : note.items) {
    if (item.name == name) {
      return item;
    }
  }
  static const store::ItemImage kMissing;
  ADD_FAILURE() << "no item " << name;
  return kMissing;
}

std::vector<const store::ItemImage*> Backups(const store::NoteImage& note) {
  std::vector<const store::ItemImage*> backups;
  for (const store::ItemImage& item : note.items) {
    if (item.name.starts_with("$Links_Backup_")) {
      backups.push_back(&item);
    }
  }
  return backups;
}

// Options of a run, changed by `set`.
template <class Set>
batch::RunOptions Options(Set set) {
  batch::RunOptions options;
  set(options);
  return options;
}

class BatchRunTest : public BatchTest {
 protected:
  void SetUp() override {
    BatchTest::SetUp();
    fs::create_directories(data_directory_ / "apps");
    CreateDatabase(kDatabase, kHomeReplica, SampleDocuments(10));
    CreateDatabase("archive.nsf", kTargetReplica, {});
    original_ = StoredNotes(kDatabase);
  }

  batch::RelinkRepair Relink() { return batch::RelinkRepair(kOldReplicaText, kTargetReplica); }

  std::vector<store::NoteImage> original_;
};

TEST_F(BatchRunTest, SelectionTakesExactlyTheDocumentsItIsTrueFor) {
  batch::Selection closed;
  batch::Selection::CompileError error;
  ASSERT_TRUE(closed.Compile("Status = \"Closed\"", &error)) << error.message;
  batch::HideWhenRepair repair;
  const report::RunSummary summary =
      Run(kDatabase, repair, Options([&](auto& o) { o.selection = &closed; }));
  EXPECT_EQ(summary.documents, 10);
  EXPECT_EQ(summary.selected, 5);
  EXPECT_EQ(summary.changed, 5);
  const auto stored = StoredNotes(kDatabase);
  for (std::size_t i = 0; i < stored.size(); ++i) {
    EXPECT_EQ(Item(stored[i], "Body").value != Item(original_[i], "Body").value, i % 2 == 1)
        << "document " << i;
  }
}

TEST_F(BatchRunTest, SelectionUndecidedOnADocumentStopsTheRun) {
  batch::Selection selection;
  batch::Selection::CompileError error;
  // Undecided on the even documents, true on the odd ones.
  ASSERT_TRUE(
      selection.Compile("@If(Status = \"Open\"; @DbLookup(\"\"; \"\"; \"V\"; 1; 1); 1)", &error))
      << error.message;
  batch::HideWhenRepair repair;
  try {
    Run(kDatabase, repair, Options([&](auto& o) { o.selection = &selection; }));
    ADD_FAILURE() << "the run went on";
  } catch (const batch::SelectionUndecided& undecided) {
    EXPECT_STREQ(undecided.what(),
                 "the selection formula cannot be evaluated: @DbLookup needs a live database view");
  }
}

TEST_F(BatchRunTest, SelectionFormulaAssignmentsAreNeverSaved) {
  batch::Selection selection;
  batch::Selection::CompileError error;
  ASSERT_TRUE(selection.Compile("FIELD Subject := \"changed\"; 1", &error)) << error.message;
  batch::HideWhenRepair repair;
  Run(kDatabase, repair, Options([&](auto& o) { o.selection = &selection; }));
  for (std::size_t i = 0; i < original_.size(); ++i) {
    EXPECT_EQ(Item(StoredNotes(kDatabase)[i], "Subject").value,
              Item(original_[i], "Subject").value);
  }
}

TEST_F(BatchRunTest, DryRunWritesNothingAndCountsWhatTheRunThenDoes) {
  for (bool hide_when : {true, false}) {
    const std::vector<std::uint8_t> before = FileBytes(kDatabase);
    batch::HideWhenRepair fix;
    batch::RelinkRepair relink = Relink();
    batch::DocumentRepair& repair = hide_when ? static_cast<batch::DocumentRepair&>(fix) : relink;
    const report::RunSummary dry =
        Run(kDatabase, repair, Options([&](auto& o) { o.dry_run = true; }));
    EXPECT_EQ(FileBytes(kDatabase), before);
    const report::RunSummary real = Run(kDatabase, repair);
    EXPECT_EQ(dry.changed, real.changed);
    EXPECT_EQ(dry.unchanged, real.unchanged);
    EXPECT_EQ(real.changed, 10);
  }
}

TEST_F(BatchRunTest, SecondFixSavesNothing) {
  batch::HideWhenRepair repair;
  EXPECT_EQ(Run(kDatabase, repair).changed, 10);
  const auto after_first = StoredNotes(kDatabase);
  const report::RunSummary second = Run(kDatabase, repair);
  EXPECT_EQ(second.changed, 0);
  EXPECT_EQ(second.unchanged, 10);
  const auto after_second = StoredNotes(kDatabase);
  for (std::size_t i = 0; i < after_first.size(); ++i) {
    EXPECT_EQ(after_second[i].sequence, after_first[i].sequence);
  }
}

TEST_F(BatchRunTest, RelinkGivesEveryDocumentOneBackupOfItsOldTable) {
  batch::RelinkRepair repair = Relink();
  // Groups smaller than the database, so that several transactions are made.
  const report::RunSummary summary =
      Run(kDatabase, repair, Options([&](auto& o) { o.group_size = 3; }));
  EXPECT_EQ(summary.changed, 10);
  const auto stored = StoredNotes(kDatabase);
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const auto backups = Backups(stored[i]);
    ASSERT_EQ(backups.size(), 1u) << "document " << i;
    EXPECT_EQ(backups[0]->value, Item(original_[i], "$Links").value);
    std::vector<NoteLink> links;
    ASSERT_TRUE(
        DecodeLinkTable(Item(stored[i], "$Links").value, LinkTableReading::kWholeTable, &links));
    EXPECT_EQ(links[0].replica_id.Innards[1], kTargetReplica.Innards[1]);
  }
}

TEST_F(BatchRunTest, RestoreGivesBackTheOldTableAndKeepsTheCurrentOne) {
  batch::RelinkRepair relink = Relink();
  Run(kDatabase, relink);
  const auto relinked = StoredNotes(kDatabase);
  batch::LinkRestore restore("");
  const report::RunSummary summary = Run(kDatabase, restore);
  EXPECT_EQ(summary.changed, 10);
  const auto stored = StoredNotes(kDatabase);
  for (std::size_t i = 0; i < stored.size(); ++i) {
    EXPECT_EQ(Item(stored[i], "$Links").value, Item(original_[i], "$Links").value);
    const auto backups = Backups(stored[i]);
    ASSERT_EQ(backups.size(), 2u);
    EXPECT_EQ(backups[0]->value, Item(original_[i], "$Links").value);
    EXPECT_EQ(backups[1]->value, Item(relinked[i], "$Links").value);
  }
  // Restoring again finds the table as the newest backup holds it.
  EXPECT_EQ(Run(kDatabase, restore).changed, 10);
  EXPECT_EQ(Item(StoredNotes(kDatabase)[0], "$Links").value, Item(relinked[0], "$Links").value);
}

TEST_F(BatchRunTest, RestoreLeavesDocumentsWithoutTheBackupAlone) {
  batch::LinkRestore restore("$Links_Backup_20090225142307");
  const report::RunSummary summary = Run(kDatabase, restore);
  EXPECT_EQ(summary.changed, 0);
  EXPECT_EQ(summary.without_backup.value_or(0), 10);
  EXPECT_EQ(StoredNotes(kDatabase)[0].sequence, original_[0].sequence);
}

TEST_F(BatchRunTest, AConcurrentWritersChangeIsNeverOverwritten) {
  LNNotesSession writer_session;
  ASSERT_EQ(writer_session.Initialize(), 0);
  LNDatabase writer;
  ASSERT_EQ(writer_session.GetDatabase(kDatabase, &writer), 0);
  ASSERT_EQ(writer.Open(), 0);
  // Between the run's reading of document 1 and the saving of its group,
  // someone else saves it.
  auto write_document_1 = [&](std::int64_t done, std::int64_t) {
    if (done != 2) {
      return;
    }
    LNDocument document;
    ASSERT_EQ(writer.GetDocument(original_[1].unid, &document), 0);
    ASSERT_EQ(document.Open(), 0);
    const std::vector<std::uint8_t> subject = TextItem("Subject", {"written meanwhile"}).value;
    ASSERT_EQ(document.CreateItem("Subject", platform::kTypeTextList, subject.data(),
                                  static_cast<std::uint32_t>(subject.size()), 0,
                                  platform::kItemOptionReplace),
              0);
    ASSERT_EQ(document.Save(), 0);
  };
  batch::HideWhenRepair repair;
  const report::RunSummary summary =
      Run(kDatabase, repair, Options([&](auto& o) { o.on_document = write_document_1; }));
  EXPECT_EQ(summary.conflicts, 1);
  EXPECT_EQ(summary.changed, 9);
  EXPECT_EQ(report::ExitCode(summary), report::kExitIncomplete);
  auto stored = StoredNotes(kDatabase);
  EXPECT_EQ(Item(stored[1], "Body").value, Item(original_[1], "Body").value);
  EXPECT_EQ(Item(stored[1], "Subject").value, TextItem("Subject", {"written meanwhile"}).value);
  // The next run finishes it.
  EXPECT_EQ(Run(kDatabase, repair).changed, 1);
  writer.Close();
  writer_session.Term();
}

TEST_F(BatchRunTest, AMalformedLinkTableFailsItsDocumentAndTheRestIsRepaired) {
  std::vector<store::NoteImage> notes = SampleDocuments(4);
  for (store::ItemImage& item : notes[2].items) {
    if (item.name == "$Links") {
      item.value.resize(item.value.size() - 7);
    }
  }
  CreateDatabase("damaged.nsf", kHomeReplica, notes);
  batch::RelinkRepair repair = Relink();
  const report::RunSummary summary = Run("damaged.nsf", repair);
  EXPECT_EQ(summary.failed, 1);
  EXPECT_EQ(summary.changed, 3);
  ASSERT_EQ(summary.failed_documents.size(), 1u);
  EXPECT_NE(summary.failed_documents[0].reason.find("$Links"), std::string::npos);
  EXPECT_TRUE(Backups(StoredNotes("damaged.nsf")[2]).empty());
}

}  // namespace
}  // namespace quendral::fixtures
