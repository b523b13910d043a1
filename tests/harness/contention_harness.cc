// Several processes repairing, relinking and saving items on one database
// at once for a bounded time:
//
//   contention_harness SECONDS PROCESSES [SEED]
//
// Each process logs what every operation reported. Afterwards no process
// may have crashed or outstayed the bound, the file must pass SQLite's
// integrity check, and every document must hold exactly what the saves that
// reported success made of it: the last saved subject, the repairs that
// were saved and no others, and a sequence number that moved once per save.
// A save refused as a conflict must show nowhere.
//
// POSIX only: the writers are forked copies of the harness, which carry the
// generated data directory and the reference states with them.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "harness/contention.h"
#include "harness/database_states.h"
#include "support/environment_override.h"

namespace quendral::harness {
namespace {

namespace fs = std::filesystem;
namespace store = platform::store;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kDocuments = 6;  // few, so that writers meet
// How long past its time a writer may take to finish its last operation.
constexpr auto kGrace = std::chrono::seconds(60);

[[noreturn]] void Write(std::size_t writer, const std::vector<std::string>& ids,
                        Clock::time_point end, unsigned seed, const fs::path& log_file) {
  std::mt19937 random(seed + static_cast<unsigned>(writer));
  std::vector<Work> log;
  for (std::size_t n = 0; Clock::now() < end; ++n) {
    const std::string token = "w" + std::to_string(writer) + "-" + std::to_string(n);
    log.push_back(DoRandomWork(ids, AllWorkKinds(), token, random));
  }
  std::ofstream out(log_file);
  WriteWorkLog(out, log);
  out.close();
  ::_exit(out ? 0 : 3);
}

// Waits for every writer until `deadline`, then kills those left. The
// problems seen.
std::string AwaitWriters(const std::vector<pid_t>& writers, Clock::time_point deadline) {
  std::string problems;
  for (pid_t writer : writers) {
    int status = 0;
    pid_t ended = 0;
    while ((ended = ::waitpid(writer, &status, WNOHANG)) == 0 && Clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (ended == 0) {
      ::kill(writer, SIGKILL);
      ::waitpid(writer, &status, 0);
      problems += "a writer hung\n";
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      problems += "a writer ended with status " + std::to_string(status) + "\n";
    }
  }
  return problems;
}

int Main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: contention_harness SECONDS PROCESSES [SEED]\n";
    return 2;
  }
  const auto seconds = std::chrono::seconds(std::stoi(argv[1]));
  const auto processes = static_cast<std::size_t>(std::stoul(argv[2]));
  const unsigned seed =
      argc > 3 ? static_cast<unsigned>(std::stoul(argv[3])) : std::random_device()();
  const TemporaryWork work("contention");
  const fs::path pristine = work.path() / "pristine";
  const fs::path data = work.path() / "data";
  RepairedStates states;
  if (!GenerateDataDirectory(pristine, kDocuments) ||
      !MakeRepairedStates(pristine, work.path() / "scratch", &states)) {
    std::cerr << "the data directory could not be generated\n";
    return 1;
  }
  CopyDataDirectory(pristine, data);
  quendral::fixtures::EnvironmentOverride data_variable("NOTES_DATA_DIR", data.string().c_str());
  const std::vector<std::string> ids = DocumentIds(data);
  const Clock::time_point end = Clock::now() + seconds;
  std::vector<pid_t> writers;
  for (std::size_t writer = 0; writer < processes; ++writer) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      Write(writer, ids, end, seed, work.path() / ("log-" + std::to_string(writer)));
    }
    writers.push_back(pid);
  }
  std::string problems = AwaitWriters(writers, end + kGrace);
  std::vector<Work> log;
  for (std::size_t writer = 0; writer < processes; ++writer) {
    std::ifstream in(work.path() / ("log-" + std::to_string(writer)));
    const std::vector<Work> written = ReadWorkLog(in);
    log.insert(log.end(), written.begin(), written.end());
  }
  problems += IntegrityProblems(data / kDatabase);
  store::DatabaseImage actual;
  if (store::ReadDatabaseImage(data / kDatabase, &actual) != platform::kNoError) {
    problems += "the database cannot be read\n";
  }
  problems += LoggedStateProblems(states, log, actual);
  const WorkTally tally = Tally(log);
  if (tally.other_failures != 0) {
    problems += "operations failed for other reasons\n";
  }
  std::cout << "seed " << seed << ": " << processes << " processes for " << seconds.count()
            << " s: " << tally.operations << " operations, " << tally.saved << " saved, "
            << tally.conflicts << " conflicts, " << tally.busy << " busy, " << tally.other_failures
            << " other failures\n"
            << (problems.empty() ? "nothing lost\n" : problems);
  return problems.empty() ? 0 : 1;
}

}  // namespace
}  // namespace quendral::harness

int main(int argc, char** argv) { return quendral::harness::Main(argc, argv); }
