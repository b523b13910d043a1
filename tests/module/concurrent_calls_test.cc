// Exported calls from many threads of one process on one database: each
// call has its own session, so they may overlap freely, and what the file
// holds at the end is exactly what the calls that reported a save did.
#include <gtest/gtest.h>

#include <random>
#include <thread>
#include <vector>

#include "harness/contention.h"
#include "harness/database_states.h"
#include "support/environment_override.h"

namespace quendral {
namespace {

namespace store = platform::store;

constexpr std::size_t kThreads = 8;
constexpr std::size_t kCallsPerThread = 12;

TEST(ConcurrentCallsTest, ThreadsRepairingOneDatabaseLoseNothing) {
  const harness::TemporaryWork work("threads");
  harness::RepairedStates states;
  ASSERT_TRUE(harness::GenerateDataDirectory(work.path() / "pristine", 6));
  ASSERT_TRUE(
      harness::MakeRepairedStates(work.path() / "pristine", work.path() / "scratch", &states));
  harness::CopyDataDirectory(work.path() / "pristine", work.path() / "data");
  quendral::fixtures::EnvironmentOverride data("NOTES_DATA_DIR",
                                               (work.path() / "data").string().c_str());
  const std::vector<std::string> ids = harness::DocumentIds(work.path() / "data");

  std::vector<std::vector<harness::Work>> logs(kThreads);
  std::vector<std::thread> threads;
  for (std::size_t thread = 0; thread < kThreads; ++thread) {
    threads.emplace_back([&, thread] {
      std::mt19937 random(static_cast<unsigned>(thread));
      for (std::size_t call = 0; call < kCallsPerThread; ++call) {
        logs[thread].push_back(
            harness::DoRandomWork(ids, harness::ExportedWorkKinds(), "", random));
      }
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }

  std::vector<harness::Work> log;
  for (const auto& written : logs) {
    log.insert(log.end(), written.begin(), written.end());
  }
  const harness::WorkTally tally = harness::Tally(log);
  EXPECT_EQ(tally.other_failures, 0u);
  EXPECT_GT(tally.saved, 0u);
  EXPECT_EQ(harness::IntegrityProblems(work.path() / "data" / harness::kDatabase), "");
  store::DatabaseImage actual;
  ASSERT_EQ(store::ReadDatabaseImage(work.path() / "data" / harness::kDatabase, &actual),
            platform::kNoError);
  EXPECT_EQ(harness::LoggedStateProblems(states, log, actual), "");
}

}  // namespace
}  // namespace quendral
