// Many writers on one database at once, for the contention harness and the
// tests of concurrent calls: random repairs and item saves, the log of what
// each reported, and the check that the file holds exactly what the
// successful ones did.
#ifndef QUENDRAL_TESTS_HARNESS_CONTENTION_H_
#define QUENDRAL_TESTS_HARNESS_CONTENTION_H_

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <random>
#include <string>
#include <vector>

#include "platform/notes/api/database_file.h"
#include "platform/notes/vocabulary/status.h"

namespace quendral::harness {

enum class WorkKind { kSetItem, kFixHideWhen, kRelink };

// One operation and what it reported.
struct Work {
  WorkKind kind = WorkKind::kSetItem;
  std::size_t document = 0;    // index into the documents of work.nsf
  std::string token;           // the Subject an item save wrote
  bool saved = false;          // reported as saved
  std::uint32_t sequence = 0;  // an item save's sequence number, once saved
  LNSTATUS status = 0;         // the status it failed with
};

// The kinds a test draws from: item saves need the object API in the
// throw-nothing mode, which exported calls on other threads switch off.
std::vector<WorkKind> AllWorkKinds();
std::vector<WorkKind> ExportedWorkKinds();

// Does one random operation of `kinds` on the documents of the data
// directory named by NOTES_DATA_DIR; `token` names an item save's value.
Work DoRandomWork(const std::vector<std::string>& ids, const std::vector<WorkKind>& kinds,
                  const std::string& token, std::mt19937& random);

void WriteWorkLog(std::ostream& out, const std::vector<Work>& log);
std::vector<Work> ReadWorkLog(std::istream& in);

struct WorkTally {
  std::size_t operations = 0;
  std::size_t saved = 0;
  std::size_t conflicts = 0;  // refused because another save came first
  std::size_t busy = 0;       // refused because the database stayed locked
  std::size_t other_failures = 0;
};
WorkTally Tally(const std::vector<Work>& log);

// The states a complete repair of every document leaves, for the check.
struct RepairedStates {
  platform::store::DatabaseImage before;
  platform::store::DatabaseImage fixed;
  platform::store::DatabaseImage relinked;
};
// Made from the data directory `pristine`, in scratch directory `scratch`.
bool MakeRepairedStates(const std::filesystem::path& pristine, const std::filesystem::path& scratch,
                        RepairedStates* states);

// "" when every document of `actual` holds what the saved operations of the
// log made of it, and its sequence number moved once for each of them.
std::string LoggedStateProblems(const RepairedStates& states, const std::vector<Work>& log,
                                const platform::store::DatabaseImage& actual);

}  // namespace quendral::harness

#endif  // QUENDRAL_TESTS_HARNESS_CONTENTION_H_
