// What a run of a repair over many documents did, as the batch and DXL
// commands report it: one summary line or one JSON object, and the exit code
// the tool returns for it.
#ifndef QUENDRAL_REPORT_RUN_SUMMARY_H_
#define QUENDRAL_REPORT_RUN_SUMMARY_H_

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace quendral::report {

// The tool's exit codes: the work was done, some document conflicted or
// failed, or the command line or its input was wrong.
inline constexpr int kExitDone = 0;
inline constexpr int kExitIncomplete = 1;
inline constexpr int kExitUsage = 2;

// A document the run could not take, and why.
struct DocumentProblem {
  std::string unid;
  std::string reason;
};

struct RunSummary {
  // The key the source is reported under ("database", or "file" for exports)
  // and the source itself.
  std::string source_key = "database";
  std::string source;
  std::int64_t documents = 0;  // every document looked at
  std::int64_t selected = 0;   // those the selection took
  std::int64_t changed = 0;    // repaired (or, in a dry run, that would be)
  std::int64_t unchanged = 0;  // taken, but nothing to change
  std::int64_t conflicts = 0;  // changed by someone else meanwhile: left alone
  std::int64_t failed = 0;     // could not be read or written
  // Only for restoring links: taken documents that had no backup.
  std::optional<std::int64_t> without_backup;
  bool dry_run = false;
  std::vector<DocumentProblem> conflicted_documents;
  std::vector<DocumentProblem> failed_documents;

  void AddConflict(std::string unid, std::string reason);
  void AddFailure(std::string unid, std::string reason);
};

// kExitDone when every selected document was handled, else kExitIncomplete.
int ExitCode(const RunSummary& summary);

// {"database": P, "documents": N, "selected": S, "changed": C, "unchanged": U,
//  "conflicts": K, "failed": F, "dry_run": bool} with "without_backup" when
// counted, and "problems": [{"unid", "reason", "kind"}] when there were any.
nlohmann::json SummaryJson(const RunSummary& summary);

// One line: "P: 12 taken, 3 repaired, 9 unchanged, 0 conflicts, 0 failed",
// "would be repaired" in a dry run; one more line per problem document
// before it.
std::string SummaryText(const RunSummary& summary);

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_RUN_SUMMARY_H_
