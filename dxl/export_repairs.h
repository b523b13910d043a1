// The two repairs on an export, streamed from input to output: hide-when
// formulas neutralised, links pointed at another replica. Everything else
// of the file is copied byte for byte.
#ifndef QUENDRAL_DXL_EXPORT_REPAIRS_H_
#define QUENDRAL_DXL_EXPORT_REPAIRS_H_

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "dxl/stream_rewriter.h"
#include "report/run_summary.h"

namespace quendral::dxl {

struct RepairCounts {
  std::int64_t notes = 0;                         // notes looked at
  std::int64_t changed_notes = 0;                 // of them, changed
  std::int64_t changes = 0;                       // formulas and links changed
  std::vector<report::DocumentProblem> failures;  // notes partly left as they were
};

// Where a pass writes (null: nowhere) and what else it reports.
struct RepairOutput {
  std::ostream* out = nullptr;
  std::vector<Change>* change_log = nullptr;
};

struct HideWhenOptions {
  bool all_notes = false;
  bool actions = false;  // the formulas of actions (buttons) too
};

// Every enabled hide-when formula of a paragraph that is not empty (or "0"
// already) becomes "0"; disabled formulas and static hide tokens stay. In
// rich text carried as records, every hide-when formula area gets the
// compiled "0" over its start; an area too short for it, and records that
// cannot be read, are failures of their note.
bool FixHideWhenInExport(std::istream& in, const RepairOutput& output,
                         const HideWhenOptions& options, RepairCounts* counts, Refusal* refusal);

struct RelinkOptions {
  std::set<std::string> old_replicas;  // 16 digits each
  std::string target;                  // 16 digits
  std::optional<std::string> target_server;
  bool all_notes = false;
};

// Every link element and link-table entry ($Links, and $FormLinks of forms)
// whose replica is an old one gets the target replica (and, when given, the
// target server as its hint).
bool RelinkExport(std::istream& in, const RepairOutput& output, const RelinkOptions& options,
                  RepairCounts* counts, Refusal* refusal);

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_EXPORT_REPAIRS_H_
