// Runs each command of the tool on a failing disk, the nth write, sync or
// lock failing (or the disk full) for n = 1, 2, ... until the command gets
// through its work before the fault:
//
//   fault_harness TEST_TOOL [STEP]
//
// TEST_TOOL is quendral_faults, the test build of the tool, which fails the
// disk as its environment says (support/faults/failing_disk.h); the shipped
// tool cannot, and the harness refuses a tool under which no run failed.
//
// (with STEP, only every STEP-th n is tried: n = 1, 1 + STEP, ...).
// Every run the fault stopped must exit non-zero with a message, leave the
// database whole with every document old or new, and be made good by a run
// on a sound disk; the first run that exits 0 must have done the whole work.
// Exits 0 when every check held.
//
// POSIX only, with the kill harness whose runs of the tool it shares.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "harness/database_states.h"
#include "harness/tool_commands.h"
#include "harness/tool_runs.h"
#include "support/faults/failing_disk.h"

namespace quendral::harness {
namespace {

namespace fs = std::filesystem;
namespace store = platform::store;

constexpr std::size_t kDocuments = 6;
// More calls than any command makes: a sweep that reaches it never ended.
constexpr int kMostCalls = 400;

const char* const kFaultKinds[] = {"write", "full", "sync", "lock"};

std::string Contents(const fs::path& file) {
  std::ifstream in(file);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class FaultHarness {
 public:
  FaultHarness(const fs::path& tool, const fs::path& work, int step)
      : tool_(tool),
        pristine_(work / "pristine"),
        run_(work / "run"),
        output_(work / "output"),
        step_(step) {}

  bool Prepare() {
    return GenerateDataDirectory(pristine_, kDocuments) &&
           store::ReadDatabaseImage(pristine_ / kDatabase, &before_) == platform::kNoError;
  }

  // The problems of one command swept over every kind of fault.
  int Sweep(const ToolCommand& command) {
    const std::vector<std::string> arguments = command.arguments(DocumentIds(pristine_));
    CopyDataDirectory(pristine_, run_);
    store::DatabaseImage after;
    if (RunTool(tool_, run_, arguments) != 0 ||
        store::ReadDatabaseImage(run_ / kDatabase, &after) != platform::kNoError) {
      std::cerr << command.name << ": the reference run failed\n";
      return 1;
    }
    int problems = 0;
    for (const char* kind : kFaultKinds) {
      int failed_runs = 0;
      int nth = 1;
      for (; nth <= kMostCalls; nth += step_) {
        const std::string fault = std::string(kind) + ":" + std::to_string(nth);
        CopyDataDirectory(pristine_, run_);
        const int code =
            RunTool(tool_, run_, arguments,
                    {std::string(fixtures::disk::kFaultVariable) + "=" + fault}, output_);
        const std::string problem =
            code == 0 ? CheckComplete(after) : CheckFailed(code, arguments, after);
        if (!problem.empty()) {
          ++problems;
          std::cerr << command.name << ", " << fault << ": " << problem << "\n";
        }
        if (code == 0) {
          break;
        }
        ++failed_runs;
      }
      if (nth > kMostCalls) {
        ++problems;
        std::cerr << command.name << ": " << kind << " faults never stopped failing it\n";
      }
      std::cout << command.name << ": " << kind << " faults failed " << failed_runs
                << " runs, each reported\n";
      swept_ += failed_runs;
    }
    return problems;
  }

  int swept() const { return swept_; }

 private:
  std::string CheckComplete(const store::DatabaseImage& after) {
    std::string problem = IntegrityProblems(run_ / kDatabase);
    store::DatabaseImage actual;
    store::ReadDatabaseImage(run_ / kDatabase, &actual);
    return problem.empty() ? SameOutcomeProblems(after, actual) : problem;
  }

  std::string CheckFailed(int code, const std::vector<std::string>& arguments,
                          const store::DatabaseImage& after) {
    const std::string message = Contents(output_);
    if (code >= 128) {
      return "ended by signal " + std::to_string(code - 128);
    }
    if (message.empty()) {
      return "failed without a word";
    }
    std::string problem = InterruptedRunProblems(run_ / kDatabase, before_, after);
    if (problem.empty() && RunTool(tool_, run_, arguments) != 0) {
      problem = "the rerun failed";
    }
    if (problem.empty()) {
      problem = CheckComplete(after);
    }
    return problem.empty() ? "" : problem + " (the tool said: " + message + ")";
  }

  fs::path tool_;
  fs::path pristine_;
  fs::path run_;
  fs::path output_;
  store::DatabaseImage before_;
  int step_;
  int swept_ = 0;
};

int Main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: fault_harness TEST_TOOL [STEP]\n";
    return 2;
  }
  const TemporaryWork work("faults");
  FaultHarness harness(fs::absolute(argv[1]), work.path(),
                       argc > 2 ? std::max(1, std::stoi(argv[2])) : 1);
  if (!harness.Prepare()) {
    std::cerr << "the data directory could not be generated\n";
    return 1;
  }
  int problems = 0;
  for (const ToolCommand& command : kToolCommands) {
    problems += harness.Sweep(command);
  }
  if (harness.swept() == 0) {
    // A tool that ignores the plan passes every sweep without proving a thing.
    std::cerr << argv[1] << " never failed: it is not a tool that fails its disk on demand\n";
    return 1;
  }
  std::cout << harness.swept() << " faulty runs, "
            << (problems == 0 ? "nothing lost\n" : "PROBLEMS FOUND\n");
  return problems == 0 ? 0 : 1;
}

}  // namespace
}  // namespace quendral::harness

int main(int argc, char** argv) { return quendral::harness::Main(argc, argv); }
