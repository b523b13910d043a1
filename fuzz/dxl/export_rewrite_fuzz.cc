// Arbitrary bytes as an export: each pass refuses them or rewrites them, and
// a rewrite differs from the input only inside the spans it reports; the
// audit evaluates every formula for a user against the note's items. The
// same bytes also serve as the stored records of a rich-text item (Base64 in
// lines of a length the first byte chooses): its repair keeps the value's
// length, changes bytes only where the compiled "0" now stands, and finds
// nothing more to do when run again.
//
// Seeded with exports of every kind of note (export_rewrite_seeds/) and
// given the tokens of XML declarations and of the format:
//   export_rewrite_fuzz -dict=fuzz/dxl/export_rewrite_fuzz.dict CORPUS \
//       fuzz/dxl/export_rewrite_seeds
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "dxl/base64_text.h"
#include "dxl/binary_rich_text.h"
#include "dxl/export_audit.h"
#include "dxl/export_repairs.h"

namespace {

using namespace quendral::dxl;
using quendral::kCompiledFalse;

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

// `records` in Base64, in lines of `line_length` digits ended by CRLF.
std::string Base64Lines(const std::string& records, std::size_t line_length) {
  const std::size_t left = records.size() % 3;
  const std::size_t digits = records.size() / 3 * 4 + (left == 0 ? 0 : left + 1);
  std::string layout;
  for (std::size_t i = 0; i < digits; ++i) {
    layout += 'A';
    if ((i + 1) % line_length == 0) {
      layout += "\r\n";
    }
  }
  layout.append((4 - digits % 4) % 4, '=');
  Base64Text text;
  if (!text.Decode(layout) || text.bytes().size() != records.size()) {
    std::abort();
  }
  text.bytes() = records;
  for (const Base64Edit& edit : text.Edits()) {
    layout.replace(edit.begin, edit.end - edit.begin, edit.text);
  }
  return layout;
}

std::string ItemText(const std::string& output) {
  const std::string open = "<rawitemdata type='1'>";
  const std::size_t begin = output.find(open) + open.size();
  return output.substr(begin, output.find('<', begin) - begin);
}

void CheckBinaryRichText(const std::string& records, std::size_t line_length) {
  const std::string input =
      "<document xmlns='http://www.lotus.com/dxl'><item name='Body'><rawitemdata type='1'>" +
      Base64Lines(records, line_length) + "</rawitemdata></item></document>";
  std::istringstream in(input);
  std::ostringstream out;
  std::vector<Change> changes;
  RepairCounts counts;
  Refusal refusal;
  if (!FixHideWhenInExport(in, RepairOutput{&out, &changes}, {}, &counts, &refusal)) {
    std::abort();
  }
  const std::string output = out.str();
  CheckOnlyChangedSpans(input, output, changes);
  Base64Text repaired;
  if (!repaired.Decode(ItemText(output)) || repaired.bytes().size() != records.size()) {
    std::abort();
  }
  // Every changed byte lies under a copy of the compiled "0".
  const std::string& after = repaired.bytes();
  std::vector<bool> covered(after.size(), false);
  for (std::size_t at = after.find(kCompiledFalse); at != std::string::npos;
       at = after.find(kCompiledFalse, at + 1)) {
    std::fill(covered.begin() + static_cast<long>(at),
              covered.begin() + static_cast<long>(at + kCompiledFalse.size()), true);
  }
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (after[i] != records[i] && !covered[i]) {
      std::abort();
    }
  }
  const BinaryRichText again = NeutraliseBinaryRichText(ItemText(output));
  if (!again.edits.empty()) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  if (size > 0) {
    CheckBinaryRichText(input.substr(1), 1 + data[0] % 80);
  }
  Rewrite(input, [](std::istream& in, const RepairOutput& output, RepairCounts* counts,
                    Refusal* refusal) {
    return FixHideWhenInExport(in, output, {.all_notes = true, .actions = true}, counts, refusal);
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
