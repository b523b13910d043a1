// Several processes saving into one database at the same time.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <functional>
#include <string>

#include "platform/notes/notes_test_support.h"

namespace notes {
namespace {

#ifdef _WIN32
TEST(ConcurrencyTest, ProcessesSavingAtTheSameTime) {
  GTEST_SKIP() << "the writer processes are made with fork, which Windows lacks";
}
#else
using testing::Document;
using testing::ItemText;
using testing::MakeUnid;
using testing::SessionOn;
using testing::TemporaryDirectory;
using testing::TextItem;

constexpr int kSavesPerProcess = 40;

// Runs `work` in a child process; its result is the child's exit code.
pid_t Spawn(const std::function<int()>& work) {
  pid_t child = fork();
  if (child == 0) {
    _exit(work());
  }
  return child;
}

int ExitCodeOf(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

// Saves the note `seed` kSavesPerProcess times with the text "<tag><n>".
int SaveRepeatedly(const std::filesystem::path& data, std::uint32_t seed, const std::string& tag) {
  LNNotesSession session;
  session.SetDataDirectory(data.string());
  LNDatabase db;
  LNDocument doc;
  if (session.Initialize() != 0 || session.GetDatabase("db.nsf", &db) != 0 || db.Open() != 0 ||
      db.GetDocument(MakeUnid(seed), &doc) != 0 || doc.Open(0) != 0) {
    return 1;
  }
  for (int i = 1; i <= kSavesPerProcess; ++i) {
    LNText text;
    if (doc.GetItem("Value", &text) != 0 || text.SetValue(tag + std::to_string(i), 1) != 0 ||
        doc.Save(0) != 0) {
      return 2;
    }
  }
  return 0;
}

// Adds one to the note's counter kSavesPerProcess times, reopening the note
// whenever the other process saved first.
int IncrementRepeatedly(const std::filesystem::path& data) {
  LNNotesSession session;
  session.SetDataDirectory(data.string());
  LNDatabase db;
  LNDocument doc;
  if (session.Initialize() != 0 || session.GetDatabase("db.nsf", &db) != 0 || db.Open() != 0 ||
      db.GetDocument(MakeUnid(1), &doc) != 0) {
    return 1;
  }
  for (int done = 0; done < kSavesPerProcess;) {
    LNText text;
    LNString value;
    if (doc.Open(0) != 0 || doc.GetItem("Value", &text) != 0 || text.GetText(&value, ";") != 0) {
      return 2;
    }
    std::string next = std::to_string(std::stoi(value.GetString()) + 1);
    if (text.SetValue(next, 1) != 0) {
      return 3;
    }
    LNSTATUS saved = doc.Save(0);
    if (saved == 0) {
      ++done;
    } else if (saved != kErrSaveConflict) {
      return 4;
    }
    doc.Close();
  }
  return 0;
}

class ConcurrencyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LNSetThrowAllErrorsGlobal(0);
    testing::WriteDatabase(
        data_.path() / "db.nsf", TIMEDATE{{1, 1}},
        {Document(1, {TextItem("Value", {"0"})}), Document(2, {TextItem("Value", {"0"})})});
  }

  std::string ReadValue(std::uint32_t seed, std::uint32_t* sequence) {
    SessionOn session(data_.path());
    LNDatabase db;
    LNDocument doc;
    testing::OpenDocument(*session, "db.nsf", MakeUnid(seed), &db, &doc);
    *sequence = doc.GetSequenceNumber();
    return ItemText(doc, "Value");
  }

  TemporaryDirectory data_;
};

TEST_F(ConcurrencyTest, TwoProcessesSavingDifferentNotesBothSurvive) {
  std::filesystem::path data = data_.path();
  pid_t first = Spawn([&] { return SaveRepeatedly(data, 1, "first"); });
  pid_t second = Spawn([&] { return SaveRepeatedly(data, 2, "second"); });
  EXPECT_EQ(ExitCodeOf(first), 0);
  EXPECT_EQ(ExitCodeOf(second), 0);
  std::uint32_t sequence = 0;
  EXPECT_EQ(ReadValue(1, &sequence), "first" + std::to_string(kSavesPerProcess));
  EXPECT_EQ(sequence, 1u + kSavesPerProcess);
  EXPECT_EQ(ReadValue(2, &sequence), "second" + std::to_string(kSavesPerProcess));
  EXPECT_EQ(sequence, 1u + kSavesPerProcess);
}

TEST_F(ConcurrencyTest, TwoProcessesSavingOneNoteLoseNoUpdate) {
  std::filesystem::path data = data_.path();
  pid_t first = Spawn([&] { return IncrementRepeatedly(data); });
  pid_t second = Spawn([&] { return IncrementRepeatedly(data); });
  EXPECT_EQ(ExitCodeOf(first), 0);
  EXPECT_EQ(ExitCodeOf(second), 0);
  std::uint32_t sequence = 0;
  EXPECT_EQ(ReadValue(1, &sequence), std::to_string(2 * kSavesPerProcess));
  EXPECT_EQ(sequence, 1u + 2 * kSavesPerProcess);
}

#endif  // _WIN32

}  // namespace
}  // namespace notes
