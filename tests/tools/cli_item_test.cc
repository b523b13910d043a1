// quendral item set and item get, run in process against a data directory
// of their own.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "platform/notes/api/database_file.h"
#include "platform/notes/api/item_values.h"
#include "platform/notes/api/ln.h"
#include "tools/quendral/commands.h"

namespace quendral::cli {
namespace {

namespace fs = std::filesystem;
namespace store = platform::store;

constexpr char kUnid[] = "00000001000000020000000300000004";

class ItemCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    data_ = fs::temp_directory_path() / ("quendral-cli-item-" + std::to_string(random()));
    fs::create_directories(data_);
    store::NoteImage note;
    ASSERT_TRUE(LNUniversalID::Parse(kUnid, &note.unid));
    store::ItemImage subject{"Subject", platform::kTypeTextList, 0, {}};
    ASSERT_EQ(platform::values::EncodeTextList({"Hello", "World"}, &subject.value),
              platform::kNoError);
    note.items.push_back(subject);
    store::ItemImage due{"Due", platform::kTypeTimeList, 0, {}};
    ASSERT_EQ(platform::values::EncodeTimeList(
                  {{platform::formula::MakeDateTime({2024, 6, 1, 10, 0, 0}).seconds,
                    platform::formula::Zone{60, true}}},
                  &due.value),
              platform::kNoError);
    note.items.push_back(due);
    note.items.push_back({"Broken", platform::kTypeTimeList, 0, {0x01}});
    ASSERT_EQ(
        store::CreateDatabaseFile(data_ / "items.nsf", {"Items", TIMEDATE{{5, 6}}, {note}}, false),
        platform::kNoError);
  }
  void TearDown() override {
    LNSetThrowAllErrorsGlobal(0);
    std::error_code ignored;
    fs::remove_all(data_, ignored);
  }

  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"quendral", "--data", data_.string()});
    std::vector<const char*> argv;
    argv.reserve(args.size());
    for (const std::string& arg : args) {
      argv.push_back(arg.c_str());
    }
    std::ostringstream out, err;
    const int code = RunCommandLine(static_cast<int>(argv.size()), argv.data(), out, err);
    out_ = out.str();
    err_ = err.str();
    return code;
  }

  std::uint32_t StoredSequence() const {
    store::DatabaseImage image;
    EXPECT_EQ(store::ReadDatabaseImage(data_ / "items.nsf", &image), platform::kNoError);
    return image.notes.empty() ? 0 : image.notes[0].sequence;
  }

  fs::path data_;
  std::string out_, err_;
};

TEST_F(ItemCommandTest, GetPrintsTheJoinedText) {
  ASSERT_EQ(Run({"item", "get", "items.nsf", kUnid, "Subject"}), 0) << err_;
  EXPECT_EQ(out_, "Hello;World\n");
}

TEST_F(ItemCommandTest, SetAssignsTheFormulasValueAndSaves) {
  const std::uint32_t before = StoredSequence();
  ASSERT_EQ(Run({"item", "set", "items.nsf", kUnid, "Status", "TEXT", "@UpperCase(\"open\")"}), 0)
      << err_;
  EXPECT_EQ(out_, "Status: changed, document saved\n");
  EXPECT_EQ(StoredSequence(), before + 2) << "created, then given its value";
  ASSERT_EQ(Run({"item", "get", "items.nsf", kUnid, "Status"}), 0) << err_;
  EXPECT_EQ(out_, "OPEN\n");
}

TEST_F(ItemCommandTest, SetOfTheSameValueSavesNothing) {
  const std::uint32_t before = StoredSequence();
  ASSERT_EQ(Run({"item", "set", "items.nsf", kUnid, "Subject", "TEXT", "\"Hello\":\"World\""}), 0)
      << err_;
  EXPECT_EQ(out_, "Subject: unchanged, not saved\n");
  EXPECT_EQ(StoredSequence(), before);
}

TEST_F(ItemCommandTest, SetWithoutFormulaStoresTheCurrentTime) {
  ASSERT_EQ(Run({"item", "set", "items.nsf", kUnid, "Stamp", "DATETIME"}), 0) << err_;
  ASSERT_EQ(Run({"item", "get", "items.nsf", kUnid, "Stamp"}), 0) << err_;
  EXPECT_GT(out_.size(), 1u);
}

// A time written in a zone reads with it, and a formula's copy keeps it.
TEST_F(ItemCommandTest, ZonedTimesKeepTheirZone) {
  ASSERT_EQ(Run({"item", "get", "items.nsf", kUnid, "Due"}), 0) << err_;
  EXPECT_EQ(out_, "2024-06-01T10:00:00+02:00 DST\n");
  ASSERT_EQ(Run({"item", "set", "items.nsf", kUnid, "Copy", "DATETIME", "Due"}), 0) << err_;
  ASSERT_EQ(Run({"item", "get", "items.nsf", kUnid, "Copy"}), 0) << err_;
  EXPECT_EQ(out_, "2024-06-01T10:00:00+02:00 DST\n");
}

TEST_F(ItemCommandTest, FormulaErrorIsReportedNotCrashed) {
  EXPECT_EQ(Run({"item", "set", "items.nsf", kUnid, "Subject", "TEXT", "@Left(\"a\""}), 2);
  EXPECT_EQ(out_, "");
  EXPECT_NE(err_.find("quendral: cannot set item Subject: "), std::string::npos) << err_;
  EXPECT_EQ(Run({"item", "set", "items.nsf", kUnid, "Subject", "TEXT", "1 + (2 / 0)"}), 2);
  EXPECT_NE(err_.find("cannot set item Subject: The formula could not be evaluated: Division by "
                      "zero at position 4"),
            std::string::npos)
      << err_;
  EXPECT_EQ(Run({"item", "set", "items.nsf", kUnid, "Two words", "TEXT", "1"}), 2);
  ASSERT_EQ(Run({"item", "get", "items.nsf", kUnid, "Subject"}), 0) << err_;
  EXPECT_EQ(out_, "Hello;World\n");
}

TEST_F(ItemCommandTest, MissingItemDocumentOrDatabaseIsAnError) {
  EXPECT_EQ(Run({"item", "get", "items.nsf", kUnid, "Nothing"}), 2);
  EXPECT_NE(err_.find("has no item Nothing"), std::string::npos) << err_;
  EXPECT_EQ(Run({"item", "get", "items.nsf", kUnid, "Broken"}), 2);
  EXPECT_NE(err_.find("cannot read item Broken: "), std::string::npos) << err_;
  EXPECT_EQ(out_, "");
  EXPECT_EQ(Run({"item", "get", "items.nsf", "00000001000000020000000300000005", "Subject"}), 2);
  EXPECT_EQ(Run({"item", "set", "missing.nsf", kUnid, "Subject", "TEXT", "1"}), 2);
  EXPECT_NE(err_.find("cannot open database missing.nsf"), std::string::npos) << err_;
}

TEST_F(ItemCommandTest, ArgumentsAreRequired) {
  EXPECT_NE(Run({"item", "set", "items.nsf", kUnid, "Subject"}), 0);
  EXPECT_NE(Run({"item", "get", "items.nsf", kUnid}), 0);
  EXPECT_NE(Run({"item"}), 0);
}

}  // namespace
}  // namespace quendral::cli
