// The exported repairs on a failing disk: every write, sync and lock of a
// run is made to fail in turn, and each time the call must report the
// failure, the file must stay whole with every document old or new, and the
// next run on a sound disk must do the work.
#include "support/faults/failing_disk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/database_states.h"
#include "quendral/quendral.h"
#include "support/environment_override.h"

namespace quendral {
namespace {

namespace fs = std::filesystem;
namespace store = platform::store;
namespace disk = fixtures::disk;
using harness::kDatabase;
using harness::kOldReplicaText;
using harness::kTargetDatabase;

// Exported calls on the documents of the generated database.
enum class Repair { kFix, kRelink };
struct Call {
  Repair repair;
  std::size_t document;
};
struct Operation {
  const char* name;
  std::vector<Call> calls;
};

int Perform(const Call& call, const std::vector<std::string>& ids) {
  const char* id = ids[call.document].c_str();
  return call.repair == Repair::kFix
             ? FixRichTextFields("", kDatabase, id)
             : ChangeServerInLinks("", kDatabase, id, kOldReplicaText, kTargetDatabase);
}

const Operation kOperations[] = {
    {"one hide-when repair", {{Repair::kFix, 1}}},
    {"one link repair", {{Repair::kRelink, 1}}},
    // On different documents, so that each is old or new whatever call fails.
    {"several repairs", {{Repair::kFix, 1}, {Repair::kRelink, 2}, {Repair::kFix, 4}}},
};

class FailingDiskTest : public ::testing::TestWithParam<Operation> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::GenerateDataDirectory(pristine_.path(), 6));
    ids_ = harness::DocumentIds(pristine_.path());
    ASSERT_EQ(store::ReadDatabaseImage(pristine_.path() / kDatabase, &before_), platform::kNoError);
    Restore();
    EXPECT_EQ(Run(), std::vector<int>(GetParam().calls.size(), 0));
    ASSERT_EQ(store::ReadDatabaseImage(data_.path() / kDatabase, &after_), platform::kNoError);
  }
  void TearDown() override { disk::DisarmFaults(); }

  void Restore() { harness::CopyDataDirectory(pristine_.path(), data_.path()); }
  std::vector<int> Run() {
    std::vector<int> results;
    for (const Call& call : GetParam().calls) {
      results.push_back(Perform(call, ids_));
    }
    return results;
  }

  // The calls that make up one sound run.
  disk::FaultCounts CountCalls() {
    Restore();
    disk::CountIoCalls();
    Run();
    disk::DisarmFaults();
    return disk::CountedIoCalls();
  }

  // Runs the operation with `plan` armed and checks what it leaves.
  void RunFailing(const disk::FaultPlan& plan) {
    SCOPED_TRACE("fault " + std::to_string(static_cast<int>(plan.kind)) + " at call " +
                 std::to_string(plan.nth));
    Restore();
    disk::ArmFault(plan);
    std::vector<std::uint64_t> failed_after;
    const std::vector<int> results = RunCountingFailures(&failed_after);
    disk::DisarmFaults();
    std::uint64_t failed_before = 0;
    store::DatabaseImage actual = ExpectWholeAndOldOrNew();
    for (std::size_t call = 0; call < results.size(); ++call) {
      const std::size_t document = GetParam().calls[call].document;
      if (failed_after[call] > failed_before && !ClosingRefusedALock(plan, actual, document)) {
        EXPECT_EQ(results[call], 1) << "call " << call << " hit a fault and reported success";
      }
      failed_before = failed_after[call];
    }
    EXPECT_GT(failed_before, 0u) << "the fault was never injected";
    EXPECT_EQ(Run(), (std::vector<int>(results.size(), 0)));
    store::DatabaseImage rerun;
    ASSERT_EQ(store::ReadDatabaseImage(data_.path() / kDatabase, &rerun), platform::kNoError);
    EXPECT_EQ(harness::SameOutcomeProblems(after_, rerun), "");
  }

  // The operation's calls one by one, noting the failures injected so far
  // after each.
  std::vector<int> RunCountingFailures(std::vector<std::uint64_t>* failed_after) {
    std::vector<int> results;
    for (const Call& call : GetParam().calls) {
      results.push_back(Perform(call, ids_));
      failed_after->push_back(disk::CountedIoCalls().failed);
    }
    return results;
  }

  store::DatabaseImage ExpectWholeAndOldOrNew() {
    EXPECT_EQ(harness::IntegrityProblems(data_.path() / kDatabase), "");
    store::DatabaseImage actual;
    EXPECT_EQ(store::ReadDatabaseImage(data_.path() / kDatabase, &actual), platform::kNoError);
    EXPECT_EQ(harness::OldOrNewProblems(before_, after_, actual), "");
    return actual;
  }

  // A lock refused to the closing connection looks like another process
  // still having the file open: the log is left for the next opener to
  // fold, and the call, its work saved, rightly succeeds.
  bool ClosingRefusedALock(const disk::FaultPlan& plan, const store::DatabaseImage& actual,
                           std::size_t document) {
    const auto only = [document](const store::DatabaseImage& image) {
      return store::DatabaseImage{image.title, image.replica_id, {image.notes.at(document)}};
    };
    return plan.kind == disk::FaultKind::kLock &&
           harness::SameOutcomeProblems(only(after_), only(actual)).empty();
  }

  harness::TemporaryWork pristine_{"pristine"};
  harness::TemporaryWork data_{"data"};
  quendral::fixtures::EnvironmentOverride data_variable_{"NOTES_DATA_DIR",
                                                         data_.path().string().c_str()};
  std::vector<std::string> ids_;
  store::DatabaseImage before_;
  store::DatabaseImage after_;
};

TEST_P(FailingDiskTest, EveryFailedCallIsReportedAndLosesNothing) {
  const disk::FaultCounts calls = CountCalls();
  ASSERT_GT(calls.writes, 0u);
  const std::pair<disk::FaultKind, std::uint64_t> sweeps[] = {
      {disk::FaultKind::kWrite, calls.writes},
      {disk::FaultKind::kDiskFull, calls.writes},
      {disk::FaultKind::kSync, calls.syncs},
      {disk::FaultKind::kLock, calls.locks},
  };
  for (const auto& [kind, count] : sweeps) {
    for (std::uint64_t nth = 1; nth <= count; ++nth) {
      RunFailing({kind, nth});
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Operations, FailingDiskTest, ::testing::ValuesIn(kOperations),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& c : name) {
                             if (c == ' ' || c == '-') {
                               c = '_';
                             }
                           }
                           return name;
                         });

}  // namespace
}  // namespace quendral
