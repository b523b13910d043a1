// Kills the tool with SIGKILL at random instants of its work, over and over,
// and checks after every kill that nothing was lost or half-written:
//
//   kill_harness RUNS QUENDRAL [SEED]
//
// For each command of tool_commands.h, a reference run on a copy of a generated
// data directory gives the state a complete run leaves. Then, RUNS times
// spread over the commands, the command is started on a fresh copy and
// killed after a random delay shorter than the reference run took; the
// database must pass SQLite's integrity check, every document must be its
// old or its new state (with a backup of any link table changed), and a
// second run must complete the work. Exits 0 when every check held.
//
// POSIX only: SIGKILL, a stop the process cannot see coming nor clean up
// after, has no Windows counterpart the harness could deliver the same way.
#include <chrono>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "harness/database_states.h"
#include "harness/tool_commands.h"
#include "harness/tool_runs.h"

namespace quendral::harness {
namespace {

namespace fs = std::filesystem;
namespace store = platform::store;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kDocuments = 40;

struct Tally {
  int killed = 0;             // killed while at work
  int killed_after_save = 0;  // of those, killed with the document saved
  int finished = 0;           // done before the kill came
  int failures = 0;
};

class KillHarness {
 public:
  KillHarness(const fs::path& tool, const fs::path& work, unsigned seed)
      : tool_(tool), pristine_(work / "pristine"), run_(work / "run"), random_(seed) {}

  bool Prepare() {
    if (!GenerateDataDirectory(pristine_, kDocuments)) {
      return false;
    }
    ids_ = DocumentIds(pristine_);
    return ids_.size() == kDocuments &&
           store::ReadDatabaseImage(pristine_ / kDatabase, &before_) == platform::kNoError;
  }

  Tally Run(const ToolCommand& command, int kills) {
    Tally tally;
    const std::vector<std::string> arguments = command.arguments(ids_);
    CopyDataDirectory(pristine_, run_);
    const Clock::time_point start = Clock::now();
    if (RunTool(tool_, run_, arguments) != 0) {
      std::cerr << command.name << ": the reference run failed\n";
      return Tally{0, 0, 1};
    }
    const auto duration = Clock::now() - start;
    store::DatabaseImage after;
    store::ReadDatabaseImage(run_ / kDatabase, &after);
    for (int kill = 0; kill < kills; ++kill) {
      CopyDataDirectory(pristine_, run_);
      const std::chrono::microseconds delay = RandomDelay(duration, kill);
      const bool killed = KillToolAfter(tool_, run_, arguments, delay);
      ++(killed ? tally.killed : tally.finished);
      tally.killed_after_save += killed && SavedSomething() ? 1 : 0;
      const std::string problem = CheckAfterKill(arguments, after);
      if (!problem.empty()) {
        ++tally.failures;
        std::cerr << command.name << ", kill " << kill << " after " << delay.count()
                  << " us: " << problem << "\n";
      }
    }
    return tally;
  }

 private:
  // Starting the process takes the first part of a run and the work the
  // rest, so every other kill aims at the second half.
  std::chrono::microseconds RandomDelay(Clock::duration run, int kill) {
    const auto length = std::chrono::duration_cast<std::chrono::microseconds>(run).count();
    const std::int64_t earliest = kill % 2 == 0 ? 0 : length / 2;
    return std::chrono::microseconds(
        std::uniform_int_distribution<std::int64_t>(earliest, length)(random_));
  }

  bool SavedSomething() {
    store::DatabaseImage actual;
    store::ReadDatabaseImage(run_ / kDatabase, &actual);
    return !OldOrNewProblems(before_, before_, actual).empty();
  }

  std::string CheckAfterKill(const std::vector<std::string>& arguments,
                             const store::DatabaseImage& after) {
    std::string problem = InterruptedRunProblems(run_ / kDatabase, before_, after);
    store::DatabaseImage actual;
    if (problem.empty() && RunTool(tool_, run_, arguments) != 0) {
      problem = "the rerun failed";
    }
    if (problem.empty() &&
        store::ReadDatabaseImage(run_ / kDatabase, &actual) != platform::kNoError) {
      problem = "the database cannot be read after the rerun";
    }
    return problem.empty() ? SameOutcomeProblems(after, actual) : problem;
  }

  fs::path tool_;
  fs::path pristine_;
  fs::path run_;
  std::mt19937 random_;
  std::vector<std::string> ids_;
  store::DatabaseImage before_;
};

int Main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: kill_harness RUNS QUENDRAL [SEED]\n";
    return 2;
  }
  const int runs = std::stoi(argv[1]);
  const unsigned seed =
      argc > 3 ? static_cast<unsigned>(std::stoul(argv[3])) : std::random_device()();
  const TemporaryWork work("kill");
  KillHarness harness(fs::absolute(argv[2]), work.path(), seed);
  if (!harness.Prepare()) {
    std::cerr << "the data directory could not be generated\n";
    return 1;
  }
  const int commands = static_cast<int>(std::size(kToolCommands));
  int failures = 0;
  std::cout << "seed " << seed << "\n";
  for (int i = 0; i < commands; ++i) {
    const Tally tally =
        harness.Run(kToolCommands[i], runs / commands + (i < runs % commands ? 1 : 0));
    std::cout << kToolCommands[i].name << ": " << tally.killed << " killed at work ("
              << tally.killed_after_save << " after the save), " << tally.finished
              << " finished first, " << tally.failures << " with problems\n";
    failures += tally.failures;
  }
  std::cout << (failures == 0 ? "nothing lost\n" : "PROBLEMS FOUND\n");
  return failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace quendral::harness

int main(int argc, char** argv) { return quendral::harness::Main(argc, argv); }
