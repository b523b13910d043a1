// Arbitrary bytes as an export: each pass refuses them or rewrites them, and
// a rewrite differs from the input only inside the spans it reports; the
// audit evaluates every formula for a user against the note's items.
//
// Seeded with exports of every kind of note (export_rewrite_seeds/) and
// given the tokens of XML declarations and of the format:
//   export_rewrite_fuzz -dict=fuzz/dxl/export_rewrite_fuzz.dict CORPUS \
//       fuzz/dxl/export_rewrite_seeds
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "dxl/export_audit.h"
#include "dxl/export_repairs.h"

namespace {

using namespace quendral::dxl;

// Aborts unless `output` is `input` with `changes` (in order, inside the
// input, not overlapping) applied.
void CheckOnlyChangedSpans(const std::string& input, const std::string& output,
                           const std::vector<Change>& changes) {
  std::string expected;
  std::uint64_t copied = 0;
  for (const Change& change : changes) {
    if (change.span.begin < copied || change.span.end < change.span.begin ||
        change.span.end > input.size()) {
      std::abort();
    }
    expected.append(input, copied, change.span.begin - copied);
    expected += change.replacement;
    copied = change.span.end;
  }
  expected.append(input, copied);
  if (expected != output) {
    std::abort();
  }
}

template <typename Pass>
void Rewrite(const std::string& input, Pass pass) {
  std::istringstream in(input);
  std::ostringstream out;
  std::vector<Change> changes;
  RepairCounts counts;
  Refusal refusal;
  if (pass(in, RepairOutput{&out, &changes}, &counts, &refusal)) {
    CheckOnlyChangedSpans(input, out.str(), changes);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  Rewrite(input,
          [](std::istream& in, const RepairOutput& output, RepairCounts* counts, Refusal* refusal) {
            return FixHideWhenInExport(in, output, true, counts, refusal);
          });
  Rewrite(input,
          [](std::istream& in, const RepairOutput& output, RepairCounts* counts, Refusal* refusal) {
            const RelinkOptions options{
                {"85256E3A0058F1B2", "0000000000000001"}, "1111222233334444", "CN=a&b/O='x'", true};
            return RelinkExport(in, output, options, counts, refusal);
          });
  AuditOptions audit_options;
  audit_options.all_notes = true;
  audit_options.user = "Jane Doe";
  std::istringstream in(input);
  quendral::report::DatabaseAudit audit;
  Refusal refusal;
  AuditExport(in, audit_options, &audit, &refusal);
  return 0;
}
