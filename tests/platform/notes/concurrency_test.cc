// Several processes saving into one database at the same time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/notes/notes_test_support.h"
#include "platform/os/module.h"
#include "platform/os/process.h"
#include "support/environment_override.h"

namespace quendral::platform {
namespace {

using fixtures::Document;
using fixtures::ItemText;
using fixtures::MakeUnid;
using fixtures::SessionOn;
using fixtures::TemporaryDirectory;
using fixtures::TextItem;

constexpr int kSavesPerProcess = 40;

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

// A writer process is this test program started again with the work in
// kWorkVariable ("save:<seed>:<tag>" or "increment") and the data directory
// in kDataVariable. It does the work before any test runs and exits with
// the work's result.
constexpr char kWorkVariable[] = "QUENDRAL_TEST_WRITER_WORK";
constexpr char kDataVariable[] = "QUENDRAL_TEST_WRITER_DATA";

int DoWork(const std::string& work, const std::filesystem::path& data) {
  if (work == "increment") {
    return IncrementRepeatedly(data);
  }
  const std::size_t seed_end = work.find(':', 5);
  if (work.rfind("save:", 0) != 0 || seed_end == std::string::npos) {
    return 10;
  }
  const auto seed = static_cast<std::uint32_t>(std::stoul(work.substr(5, seed_end - 5)));
  return SaveRepeatedly(data, seed, work.substr(seed_end + 1));
}

class WriterProcess : public ::testing::Environment {
 public:
  void SetUp() override {
    const char* work = std::getenv(kWorkVariable);
    const char* data = std::getenv(kDataVariable);
    if (work != nullptr && *work != '\0' && data != nullptr) {
      std::exit(DoWork(work, data));
    }
  }
};

[[maybe_unused]] ::testing::Environment* const kWriterProcess =
    ::testing::AddGlobalTestEnvironment(new WriterProcess);

// Starts a writer process doing `work` on `data`. It runs the current test
// only, so that it reaches the environment's set-up.
bool StartWriter(const std::filesystem::path& data, const std::string& work, os::Process* process) {
  quendral::fixtures::EnvironmentOverride data_variable(kDataVariable, data.string().c_str());
  quendral::fixtures::EnvironmentOverride work_variable(kWorkVariable, work.c_str());
  std::string program;
  if (!os::ModuleFilePath(nullptr, &program)) {
    return false;
  }
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string command_line =
      "\"" + program + "\" --gtest_filter=" + test->test_suite_name() + "." + test->name();
  return os::StartProcess(command_line, os::ProcessOptions{}, process) == 0;
}

int ExitCodeOf(os::Process process) {
  unsigned long code = 0;
  return os::WaitForExit(process, &code) ? static_cast<int>(code) : 100;
}

class ConcurrencyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LNSetThrowAllErrorsGlobal(0);
    fixtures::WriteDatabase(
        data_.path() / "db.nsf", TIMEDATE{{1, 1}},
        {Document(1, {TextItem("Value", {"0"})}), Document(2, {TextItem("Value", {"0"})})});
  }

  std::string ReadValue(std::uint32_t seed, std::uint32_t* sequence) {
    SessionOn session(data_.path());
    LNDatabase db;
    LNDocument doc;
    fixtures::OpenDocument(*session, "db.nsf", MakeUnid(seed), &db, &doc);
    *sequence = doc.GetSequenceNumber();
    return ItemText(doc, "Value");
  }

  TemporaryDirectory data_;
};

TEST_F(ConcurrencyTest, TwoProcessesSavingDifferentNotesBothSurvive) {
  os::Process first, second;
  ASSERT_TRUE(StartWriter(data_.path(), "save:1:first", &first));
  ASSERT_TRUE(StartWriter(data_.path(), "save:2:second", &second));
  EXPECT_EQ(ExitCodeOf(first), 0);
  EXPECT_EQ(ExitCodeOf(second), 0);
  std::uint32_t sequence = 0;
  EXPECT_EQ(ReadValue(1, &sequence), "first" + std::to_string(kSavesPerProcess));
  EXPECT_EQ(sequence, 1u + kSavesPerProcess);
  EXPECT_EQ(ReadValue(2, &sequence), "second" + std::to_string(kSavesPerProcess));
  EXPECT_EQ(sequence, 1u + kSavesPerProcess);
}

TEST_F(ConcurrencyTest, TwoProcessesSavingOneNoteLoseNoUpdate) {
  os::Process first, second;
  ASSERT_TRUE(StartWriter(data_.path(), "increment", &first));
  ASSERT_TRUE(StartWriter(data_.path(), "increment", &second));
  EXPECT_EQ(ExitCodeOf(first), 0);
  EXPECT_EQ(ExitCodeOf(second), 0);
  std::uint32_t sequence = 0;
  EXPECT_EQ(ReadValue(1, &sequence), std::to_string(2 * kSavesPerProcess));
  EXPECT_EQ(sequence, 1u + 2 * kSavesPerProcess);
}

}  // namespace
}  // namespace quendral::platform
