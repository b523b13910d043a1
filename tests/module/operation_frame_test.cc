// The frame over recording fakes: which steps run, in which order, and what
// each failure leaves behind.
#include "module/operation_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace quendral {
namespace {

// The script of one call: every fake object appends what it is asked to do,
// and throws the scripted status at the scripted step.
struct Script {
  std::vector<std::string> log;
  std::string throw_at;
  LNSTATUS status = 0x4242;
  int open_database_result = 0;
  LNSTATUS find_document_result = 0;
  bool throw_mode = false;

  void Step(const std::string& step) {
    log.push_back(step);
    if (step == throw_at) {
      throw status;
    }
  }
};

Script* script = nullptr;

struct FakeSession {
  bool initialized = false;
  ~FakeSession() { script->log.push_back("~Session"); }
  void Initialize(int version, int, char**, int, const char*) {
    script->Step("Initialize " + std::to_string(version));
    initialized = true;
  }
  bool IsInitialized() const { return initialized; }
  void Term(int) {
    script->Step("Term");
    initialized = false;
  }
};

struct FakeDatabase {
  int index = -1;
  bool open = false;
  ~FakeDatabase() { script->log.push_back("~Database"); }
  bool IsOpen() const { return open; }
  void Close() {
    script->Step("Close database " + std::to_string(index));
    open = false;
  }
};

struct FakeDocument {
  ~FakeDocument() { script->log.push_back("~Document"); }
  void Open(int) { script->Step("Open document"); }
  void Save(int) { script->Step("Save"); }
  void Close() { script->Step("Close document"); }
};

struct FakeApi {
  using Session = FakeSession;
  using Database = FakeDatabase;
  using Document = FakeDocument;
  static void SetThrowAllErrors(int on) { script->throw_mode = on != 0; }
  static int OpenDatabase(Session&, Database& database, const char* server, const char* path) {
    script->Step(std::string("Open database ") + server + "!!" + path);
    database.index = path[0] - '0';
    database.open = script->open_database_result == 0;
    return script->open_database_result;
  }
  static LNSTATUS FindDocument(Database&, const char* id, Document*) {
    script->Step(std::string("Find ") + id);
    return script->find_document_result;
  }
};

struct ScriptedRepair {
  WalkResult result{true, 0};
  int prepared_with = 0;
  void Prepare(std::span<FakeDatabase> databases) {
    prepared_with = static_cast<int>(databases.size());
    script->Step("Prepare");
  }
  WalkResult Walk(FakeDocument&) {
    script->Step("Walk");
    return result;
  }
};

class OperationFrameTest : public ::testing::Test {
 protected:
  void SetUp() override { script = &script_; }
  void TearDown() override { script = nullptr; }

  FrameOutcome RunOneDatabase() {
    const FrameRequest<1> request{"srv", {"0.nsf"}, "ID"};
    return RunOperationFrame<FakeApi>(request, repair_);
  }

  Script script_;
  ScriptedRepair repair_;
};

const std::vector<std::string> kTeardown = {"~Document", "~Database", "~Session"};

std::vector<std::string> With(std::vector<std::string> steps,
                              const std::vector<std::string>& tail = kTeardown) {
  steps.insert(steps.end(), tail.begin(), tail.end());
  return steps;
}

TEST_F(OperationFrameTest, ChangedDocumentIsSavedThenEverythingClosedInReverseOrder) {
  const FrameOutcome outcome = RunOneDatabase();
  EXPECT_EQ(outcome.result, kFrameSucceeded);
  EXPECT_TRUE(outcome.saved);
  EXPECT_TRUE(script_.throw_mode);
  EXPECT_EQ(script_.log,
            With({"Initialize 230", "Open database srv!!0.nsf", "Prepare", "Find ID",
                  "Open document", "Walk", "Save", "Close document", "Close database 0", "Term"}));
}

TEST_F(OperationFrameTest, UnchangedDocumentIsClosedWithoutSave) {
  repair_.result = {false, 0};
  const FrameOutcome outcome = RunOneDatabase();
  EXPECT_EQ(outcome.result, kFrameSucceeded);
  EXPECT_FALSE(outcome.saved);
  EXPECT_EQ(script_.log,
            With({"Initialize 230", "Open database srv!!0.nsf", "Prepare", "Find ID",
                  "Open document", "Walk", "Close document", "Close database 0", "Term"}));
}

TEST_F(OperationFrameTest, WalkEndedByAnErrorStillSavesButFails) {
  repair_.result = {true, 0x77};
  const FrameOutcome outcome = RunOneDatabase();
  EXPECT_EQ(outcome.result, kFrameFailed);
  EXPECT_EQ(outcome.status, 0x77u);
  EXPECT_TRUE(outcome.saved);
  EXPECT_EQ(script_.log,
            With({"Initialize 230", "Open database srv!!0.nsf", "Prepare", "Find ID",
                  "Open document", "Walk", "Save", "Close document", "Close database 0", "Term"}));
}

TEST_F(OperationFrameTest, DocumentNotFoundWithoutThrowingSkipsTheRepairAndSucceeds) {
  script_.find_document_result = 5;
  const FrameOutcome outcome = RunOneDatabase();
  EXPECT_EQ(outcome.result, kFrameSucceeded);
  EXPECT_EQ(script_.log, With({"Initialize 230", "Open database srv!!0.nsf", "Prepare", "Find ID",
                               "Close database 0", "Term"}));
}

TEST_F(OperationFrameTest, OpeningFailureWithoutThrowRaisesTheOpenFailedStatus) {
  script_.open_database_result = 1;
  const FrameOutcome outcome = RunOneDatabase();
  EXPECT_EQ(outcome.result, kFrameFailed);
  EXPECT_EQ(outcome.status, static_cast<LNSTATUS>(kErrOpenFailed));
  EXPECT_EQ(script_.log, With({"Initialize 230", "Open database srv!!0.nsf", "Term"}));
}

struct FailureCase {
  std::string step;
  std::vector<std::string> log;
  friend void PrintTo(const FailureCase& failure, std::ostream* out) {
    *out << "failing at " << failure.step;
  }
};

class FrameFailureTest : public OperationFrameTest,
                         public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FrameFailureTest, UndoesOnlyWhatIsStillStanding) {
  script_.throw_at = GetParam().step;
  const FrameOutcome outcome = RunOneDatabase();
  EXPECT_EQ(outcome.result, kFrameFailed);
  EXPECT_EQ(outcome.status, script_.status);
  const auto& log = GetParam().log;
  const bool saved =
      GetParam().step != "Save" && std::find(log.begin(), log.end(), "Save") != log.end();
  EXPECT_EQ(outcome.saved, saved);
  EXPECT_EQ(script_.log, With(log));
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, FrameFailureTest,
    ::testing::Values(FailureCase{"Initialize 230", {"Initialize 230"}},
                      FailureCase{"Open database srv!!0.nsf",
                                  {"Initialize 230", "Open database srv!!0.nsf", "Term"}},
                      FailureCase{"Find ID",
                                  {"Initialize 230", "Open database srv!!0.nsf", "Prepare",
                                   "Find ID", "Close database 0", "Term"}},
                      FailureCase{
                          "Save",
                          {"Initialize 230", "Open database srv!!0.nsf", "Prepare", "Find ID",
                           "Open document", "Walk", "Save", "Close database 0", "Term"}},
                      FailureCase{"Close database 0",
                                  {"Initialize 230", "Open database srv!!0.nsf", "Prepare",
                                   "Find ID", "Open document", "Walk", "Save", "Close document",
                                   "Close database 0", "Close database 0", "Term"}},
                      FailureCase{"Term",
                                  {"Initialize 230", "Open database srv!!0.nsf", "Prepare",
                                   "Find ID", "Open document", "Walk", "Save", "Close document",
                                   "Close database 0", "Term", "Term"}}));

TEST_F(OperationFrameTest, ErrorsWhileUndoingDoNotEscape) {
  script_.throw_at = "Term";
  repair_.result = {false, 0};
  EXPECT_EQ(RunOneDatabase().result, kFrameFailed);
}

TEST_F(OperationFrameTest, OpensEveryDatabaseInOrderAndClosesOnlyTheFirst) {
  const FrameRequest<2> request{"", {"0.nsf", "1.nsf"}, "ID"};
  const FrameOutcome outcome = RunOperationFrame<FakeApi>(request, repair_);
  EXPECT_EQ(outcome.result, kFrameSucceeded);
  EXPECT_EQ(repair_.prepared_with, 2);
  EXPECT_EQ(script_.log, With({"Initialize 230", "Open database !!0.nsf", "Open database !!1.nsf",
                               "Prepare", "Find ID", "Open document", "Walk", "Save",
                               "Close document", "Close database 0", "Term"},
                              {"~Document", "~Database", "~Database", "~Session"}));
}

TEST_F(OperationFrameTest, SecondDatabaseFailingLeavesTheDocumentUntouched) {
  const FrameRequest<2> request{"", {"0.nsf", "1.nsf"}, "ID"};
  script_.throw_at = "Open database !!1.nsf";
  const FrameOutcome outcome = RunOperationFrame<FakeApi>(request, repair_);
  EXPECT_EQ(outcome.result, kFrameFailed);
  EXPECT_EQ(script_.log, With({"Initialize 230", "Open database !!0.nsf", "Open database !!1.nsf",
                               "Close database 0", "Term"},
                              {"~Document", "~Database", "~Database", "~Session"}));
}

}  // namespace
}  // namespace quendral
