// The repairs on damaged databases: files cut short or with flipped bytes,
// files that are not ours, and things that are no files at all. Each must
// end in a clear error without touching the file; damaged item values are
// repaired as far as they can be, never read past their ends.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "harness/database_states.h"
#include "module/repairs.h"
#include "module/special_files.h"
#include "platform/notes/store/store_connection.h"
#include "support/environment_override.h"

namespace quendral {
namespace {

namespace fs = std::filesystem;
namespace store = platform::store;
using harness::kDatabase;

std::vector<char> FileBytes(const fs::path& file) {
  std::ifstream stream(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& file, const std::vector<char>& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}

void FlipBytes(const fs::path& file, std::size_t offset, std::size_t count) {
  std::vector<char> bytes = FileBytes(file);
  for (std::size_t i = offset; i < offset + count && i < bytes.size(); ++i) {
    bytes[i] ^= 0x5A;
  }
  WriteBytes(file, bytes);
}

void ReplaceWith(const fs::path& file, const std::function<void(const fs::path&)>& make) {
  fs::remove(file);
  make(file);
}

struct Damage {
  const char* name;
  std::function<void(const fs::path& file)> apply;
  LNSTATUS status;  // what the repair reports
};

const Damage kDamages[] = {
    {"empty file", [](const fs::path& f) { fs::resize_file(f, 0); }, platform::kErrDatabaseDamaged},
    {"cut inside the header", [](const fs::path& f) { fs::resize_file(f, 60); },
     platform::kErrDatabaseDamaged},
    {"cut to its first page", [](const fs::path& f) { fs::resize_file(f, 4096); },
     platform::kErrDatabaseDamaged},
    {"file magic flipped", [](const fs::path& f) { FlipBytes(f, 0, 4); },
     platform::kErrDatabaseDamaged},
    {"page size flipped", [](const fs::path& f) { FlipBytes(f, 16, 2); },
     platform::kErrDatabaseDamaged},
    {"schema page flipped", [](const fs::path& f) { FlipBytes(f, 100, 8); },
     platform::kErrDatabaseDamaged},
    {"foreign SQLite file",
     [](const fs::path& f) {
       ReplaceWith(f, [](const fs::path& file) {
         platform::store::Connection connection;
         connection.Open(file, true);
         connection.Execute("CREATE TABLE things (name TEXT); INSERT INTO things VALUES ('x')");
       });
     },
     platform::kErrDatabaseDamaged},
    {"text file",
     [](const fs::path& f) {
       ReplaceWith(f, [](const fs::path& file) { std::ofstream(file) << "not a database\n"; });
     },
     platform::kErrDatabaseDamaged},
    {"directory",
     [](const fs::path& f) {
       ReplaceWith(f, [](const fs::path& file) { fs::create_directory(file); });
     },
     platform::kErrDatabaseNotFound},
};

// The table, then the special files of this system in the database's place.
std::vector<Damage> DamagesOnThisSystem() {
  std::vector<Damage> damages(std::begin(kDamages), std::end(kDamages));
  for (const fixtures::SpecialFile& special : fixtures::SpecialFiles()) {
    damages.push_back({special.name,
                       [make = special.make](const fs::path& f) { ReplaceWith(f, make); },
                       platform::kErrDatabaseNotFound});
  }
  return damages;
}

class DamagedDatabaseTest : public ::testing::TestWithParam<Damage> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::GenerateDataDirectory(data_.path(), 20));
    ids_ = harness::DocumentIds(data_.path());
  }

  harness::TemporaryWork data_{"data"};
  quendral::fixtures::EnvironmentOverride data_variable_{"NOTES_DATA_DIR",
                                                         data_.path().string().c_str()};
  std::vector<std::string> ids_;
};

TEST_P(DamagedDatabaseTest, RepairsFailClearlyAndWriteNothing) {
  const fs::path file = data_.path() / kDatabase;
  GetParam().apply(file);
  // Reading a FIFO would wait for a writer: only files are compared.
  const bool regular = fs::is_regular_file(file);
  const std::vector<char> damaged = regular ? FileBytes(file) : std::vector<char>();
  const FrameOutcome fixed = RunFixRichTextFields("", kDatabase, ids_[1].c_str());
  const FrameOutcome relinked = RunChangeServerInLinks(
      "", kDatabase, ids_[1].c_str(), harness::kOldReplicaText, harness::kTargetDatabase);
  for (const FrameOutcome& outcome : {fixed, relinked}) {
    EXPECT_EQ(outcome.result, kFrameFailed);
    EXPECT_EQ(outcome.status, GetParam().status);
    EXPECT_FALSE(outcome.saved);
  }
  if (regular) {
    EXPECT_EQ(FileBytes(file), damaged);
  }
  store::DatabaseImage image;
  EXPECT_NE(store::ReadDatabaseImage(file, &image), platform::kNoError);
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedDatabaseTest, ::testing::ValuesIn(DamagesOnThisSystem()),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) {
                               c = '_';
                             }
                           }
                           return name;
                         });

// Every byte of the rich text and of the link table flipped in turn: the
// repairs must end, either way, without reading or writing past a value.
TEST(DamagedItemValueTest, EveryFlippedByteOfTheRepairedValuesIsSurvived) {
  harness::TemporaryWork pristine("pristine");
  ASSERT_TRUE(harness::GenerateDataDirectory(pristine.path(), 2));
  store::DatabaseImage image;
  ASSERT_EQ(store::ReadDatabaseImage(pristine.path() / kDatabase, &image), platform::kNoError);
  const std::string id = harness::DocumentIds(pristine.path())[1];
  harness::TemporaryWork data("data");
  quendral::fixtures::EnvironmentOverride data_variable("NOTES_DATA_DIR",
                                                        data.path().string().c_str());
  fs::copy_file(pristine.path() / harness::kTargetDatabase, data.path() / harness::kTargetDatabase);
  for (std::size_t item = 1; item <= 2; ++item) {  // Body, then $Links
    const std::size_t length = image.notes[1].items[item].value.size();
    // Every byte of the headers, then every third byte.
    for (std::size_t offset = 0; offset < length; offset += offset < 16 ? 1 : 3) {
      store::DatabaseImage damaged = image;
      damaged.notes[1].items[item].value[offset] ^= 0xFF;
      ASSERT_EQ(store::CreateDatabaseFile(data.path() / kDatabase, damaged, true),
                platform::kNoError);
      RunFixRichTextFields("", kDatabase, id.c_str());
      RunChangeServerInLinks("", kDatabase, id.c_str(), harness::kOldReplicaText,
                             harness::kTargetDatabase);
      EXPECT_EQ(harness::IntegrityProblems(data.path() / kDatabase), "") << item << "/" << offset;
    }
  }
}

}  // namespace
}  // namespace quendral
