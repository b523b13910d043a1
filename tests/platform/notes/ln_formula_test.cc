#include <gtest/gtest.h>

#include "platform/notes/api/attachment_names.h"
#include "platform/notes/notes_test_support.h"
#include "platform/notes/store/store.h"

namespace quendral::platform {
namespace {

using fixtures::Document;
using fixtures::ItemText;
using fixtures::MakeUnid;
using fixtures::OpenDocument;
using fixtures::SessionOn;
using fixtures::TemporaryDirectory;
using fixtures::TextItem;

TEST(Formula, CompileErrorKeepsPositionAndMessage) {
  LNSetThrowAllErrorsGlobal(0);
  LNFormula formula;
  EXPECT_EQ(formula.SetText("1 + (2"), kErrFormulaSyntax);
  EXPECT_GT(formula.GetErrorPosition(), 0u);
  EXPECT_FALSE(formula.GetErrorMessage().IsNull());
  LNText result;
  EXPECT_EQ(formula.Evaluate(&result), kErrFormulaSyntax);
}

TEST(Formula, EvaluatesWithoutANote) {
  LNFormula formula;
  ASSERT_EQ(formula.SetText("\"a\" : \"b\""), 0u);
  LNText result;
  ASSERT_EQ(formula.Evaluate(&result), 0u);
  EXPECT_EQ(result.GetCount(), 2u);
  ASSERT_EQ(formula.SetText("1 + 2"), 0u);
  ASSERT_EQ(formula.Evaluate(&result), 0u);
  EXPECT_EQ(result.GetType(), kTypeNumberList);
  EXPECT_EQ(LNNumbers(result)[0], 3);
}

TEST(Formula, EvaluationErrorKeepsTheEnginesReasonAndPosition) {
  LNSetThrowAllErrorsGlobal(0);
  LNFormula formula;
  ASSERT_EQ(formula.SetText("x := 1;  x + \"a\""), 0u);
  LNText result;
  EXPECT_EQ(formula.Evaluate(&result), kErrFormulaEvaluation);
  EXPECT_EQ(formula.GetErrorMessage().GetString(), "Incorrect data type for operator '+'");
  EXPECT_EQ(formula.GetErrorPosition(), 9u);  // in the text as written
}

class NoteFormulaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fixtures::WriteDatabase(data_.path() / "db.nsf", TIMEDATE{{1, 1}},
                            {Document(1, {TextItem("Subject", {"Hello"})})});
  }
  TemporaryDirectory data_;
};

TEST_F(NoteFormulaTest, FieldAssignmentsChangeTheNoteInMemory) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  LNFormula formula;
  ASSERT_EQ(formula.SetText("FIELD Subject := Subject + \"!\";FIELD Count := 2;SELECT @All"), 0u);
  LNText result;
  std::uint16_t word = 4;
  ASSERT_EQ(formula.Evaluate(&result, &doc, &word), 0u);
  EXPECT_EQ(ItemText(doc, "Subject"), "Hello!");
  LNItem count;
  ASSERT_EQ(doc.GetItem("Count", &count), 0u);
  EXPECT_EQ(count.GetType(), kTypeNumberList);
  ASSERT_EQ(doc.Save(0), 0u);
  ASSERT_EQ(doc.Close(), 0u);
  ASSERT_EQ(doc.Open(0), 0u);
  EXPECT_EQ(ItemText(doc, "Subject"), "Hello!");
}

// The language ignores the case of item names: it reads the item and
// replaces it under its stored name, never beside it.
TEST_F(NoteFormulaTest, ItemNamesInAnyCase) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  LNFormula formula;
  ASSERT_EQ(formula.SetText("FIELD subject := SUBJECT + \"!\"; subject = \"Hello!\""), 0u);
  LNText result;
  ASSERT_EQ(formula.Evaluate(&result, &doc), 0u);
  EXPECT_EQ(LNNumbers(result)[0], 1);
  std::vector<LNItem> items;
  ASSERT_EQ(doc.GetItems(&items), 0u);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].GetName().GetString(), "Subject");
  EXPECT_EQ(ItemText(doc, "Subject"), "Hello!");
}

TEST_F(NoteFormulaTest, ExistingItemKeepsItsFlagsWhenAssigned) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  ASSERT_EQ(doc.CreateItem("Readers", kTypeTimeList, nullptr, 0, 0x0448, kItemOptionReplace), 0u);
  LNFormula formula;
  ASSERT_EQ(formula.SetText("FIELD Readers := Readers;FIELD Readers := \"CN=Anne\";SELECT @All"),
            0u);
  LNText result;
  ASSERT_EQ(formula.Evaluate(&result, &doc), 0u);
  LNItem readers;
  ASSERT_EQ(doc.GetItem("Readers", &readers), 0u);
  EXPECT_EQ(readers.GetFlags(), 0x0448);
  EXPECT_EQ(ItemText(doc, "Readers"), "CN=Anne");
}

TEST_F(NoteFormulaTest, SeesTheSessionsUserAndTheDocument) {
  SessionOn session(data_.path());
  session->SetUserName("CN=Anne/O=Acme");
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  LNFormula formula;
  ASSERT_EQ(formula.SetText("@UserName + \"|\" + @DocumentUniqueID"), 0u);
  LNText result;
  ASSERT_EQ(formula.Evaluate(&result, &doc), 0u);
  LNString text;
  ASSERT_EQ(result.GetText(&text, ";"), 0u);
  EXPECT_EQ(text, LNString("CN=Anne/O=Acme|" + LNUniversalID::Format(MakeUnid(1)).GetString()));
}

// The database's access list, its profiles and the note's attachments, as a
// formula on a stored note sees them.
TEST_F(NoteFormulaTest, SeesTheDatabasesAccessListProfilesAndAttachments) {
  using formula::AccessEntry;
  SessionOn session(data_.path());
  session->SetUserName("CN=Anne/OU=Sales/O=Acme");
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  LNProfileDocument profile;
  ASSERT_EQ(db.GetProfileDocument("Settings", &profile), 0u);
  LNText color;
  ASSERT_EQ(color.SetValue("Blue"), 0u);
  ASSERT_EQ(profile.SetProfileField("Color", color), 0u);
  // An object record of a file named "q3.pdf", and a name kept as text.
  std::vector<std::uint8_t> record(36, 0);
  record[6] = 6;
  for (char c : std::string("q3.pdf")) {
    record.push_back(static_cast<std::uint8_t>(c));
  }
  ASSERT_EQ(doc.CreateItem("$FILE", kTypeObject, record.data(),
                           static_cast<std::uint32_t>(record.size()), 0, 0),
            0u);
  LNText name;
  ASSERT_EQ(name.SetValue("notes.txt"), 0u);
  ASSERT_EQ(doc.CreateItem("$FILE", name, 0, 0), 0u);

  const std::vector<AccessEntry> list = {
      {"-Default-", formula::kDepositorAccess, formula::kCreateDocuments, {}},
      {"*/O=Acme", 3, formula::kCreateDocuments | formula::kReadPublicDocuments, {}},
      {"Anne/Sales/Acme",
       4,
       formula::kCreateDocuments | formula::kDeleteDocuments | formula::kReplicateOrCopyDocuments,
       {"[Admin]", "[Sales]"}},
  };
  struct Row {
    const char* user;  // "" for the user of the session
    bool with_list;
    const char* formula;
    const char* expected;  // the result's texts joined by ";", or the error
  };
  const Row rows[] = {
      {"", false, "@V4UserAccess(\"\")", "6;1;1;1;1;1;1;1;1;1"},
      {"", false, "@UserRoles", ""},
      {"", true, "@V4UserAccess(\"\")", "4;1;1;0;0;0;0;0;0;1"},
      {"", true, "@UserAccess(\"\"; [AccessLevel]:[DeleteDocuments]:[ReadPublicDocuments])",
       "4;1;0"},
      {"", true, "@UserRoles", "[Admin];[Sales]"},
      {"", true, "@Text(@IsMember(\"[Admin]\"; @UserRoles))", "1"},
      {"CN=Bob/O=Acme", true, "@UserAccess(\"\"; [AccessLevel])", "3"},
      {"CN=Eve/O=Other", true, "@UserAccess(\"\"; [AccessLevel])", "1"},
      {"", true, "@GetProfileField(\"Settings\"; \"color\")", "Blue"},
      {"", true, "@GetProfileField(\"Settings\"; \"Size\")", ""},
      {"", true, "@GetProfileField(\"Settings\"; \"Color\"; \"CN=Bob\")", ""},
      {"", true, "@AttachmentNames", "q3.pdf;notes.txt"},
      {"", true, "@Text(@Attachments)", "2"},
      {"", true, "@Accessed", "@Accessed: the store does not record when a note was last read"},
  };
  LNSetThrowAllErrorsGlobal(0);
  for (const Row& row : rows) {
    session->SetUserName(*row.user != '\0' ? row.user : "CN=Anne/OU=Sales/O=Acme");
    ASSERT_EQ(db.SetAccessList(row.with_list ? list : std::vector<AccessEntry>{}), 0u);
    LNFormula formula;
    ASSERT_EQ(formula.SetText(row.formula), 0u) << row.formula;
    LNText result;
    LNString text;
    if (formula.Evaluate(&result, &doc) == 0) {
      LNText(result).GetText(&text, ";");
    } else {
      text = formula.GetErrorMessage();
    }
    EXPECT_EQ(text.GetString(), row.expected) << row.formula;
  }
}

// The list is kept whole: one that is not sound changes nothing, and a file
// made before lists were kept reads as having none.
TEST_F(NoteFormulaTest, AccessListIsStoredWhole) {
  using formula::AccessEntry;
  SessionOn session(data_.path());
  LNDatabase db;
  ASSERT_EQ(session->GetDatabase("db.nsf", &db), 0u);
  ASSERT_EQ(db.Open(), 0u);
  const std::vector<AccessEntry> list = {{"CN=Anne/O=Acme", 6, formula::kAllPrivileges, {"[A]"}},
                                         {"-Default-", 0, 0, {}}};
  ASSERT_EQ(db.SetAccessList(list), 0u);
  LNSetThrowAllErrorsGlobal(0);
  const std::vector<std::vector<AccessEntry>> unsound = {
      {{"", 2, 0, {}}},
      {{"CN=Bob", 7, 0, {}}},
      {{"CN=Bob", 2, 1u << 12, {}}},
      {{"CN=Bob", 2, 0, {"Admin"}}},
      {{"CN=Bob", 2, 0, {"[A]\n[B]"}}},
      {{"CN=Bob", 2, 0, {}}, {"cn=bob", 3, 0, {}}},
  };
  for (const std::vector<AccessEntry>& bad : unsound) {
    EXPECT_EQ(db.SetAccessList(bad), kErrInvalidArgument) << bad.front().name;
  }
  std::vector<AccessEntry> read;
  ASSERT_EQ(db.GetAccessList(&read), 0u);
  EXPECT_EQ(read, list);
  ASSERT_EQ(db.Close(), 0u);

  std::unique_ptr<store::Store> store;
  ASSERT_EQ(store::Store::Open(data_.path() / "db.nsf", &store), kNoError);
  ASSERT_EQ(store->connection().Execute("DROP TABLE access_list"), SQLITE_OK);
  ASSERT_EQ(store->Close(), kNoError);
  ASSERT_EQ(db.Open(), 0u);
  ASSERT_EQ(db.GetAccessList(&read), 0u);
  EXPECT_TRUE(read.empty());
  ASSERT_EQ(db.SetAccessList(list), 0u);
  ASSERT_EQ(db.GetAccessList(&read), 0u);
  EXPECT_EQ(read, list);
}

TEST_F(NoteFormulaTest, ClosedNoteIsAnError) {
  SessionOn session(data_.path());
  LNDatabase db;
  LNDocument doc;
  OpenDocument(*session, "db.nsf", MakeUnid(1), &db, &doc);
  ASSERT_EQ(doc.Close(), 0u);
  LNFormula formula;
  ASSERT_EQ(formula.SetText("1"), 0u);
  LNText result;
  EXPECT_EQ(formula.Evaluate(&result, &doc), kErrNoteNotOpen);
}

}  // namespace
}  // namespace quendral::platform
