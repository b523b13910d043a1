// Rewriting an export file safely: the new text goes to a temporary file
// beside the target and takes the target's name (and its mode and owner)
// only once it is complete and on the disk, so that a refused or failed
// pass, a signal or a power cut leaves every file as it was
// (os::ReplacementFile).
#ifndef QUENDRAL_DXL_EXPORT_FILE_H_
#define QUENDRAL_DXL_EXPORT_FILE_H_

#include <filesystem>
#include <functional>
#include <iosfwd>

#include "dxl/stream_rewriter.h"

namespace quendral::dxl {

enum class OutputMode {
  kDryRun,   // nothing is written
  kNewFile,  // to another file, replaced when it exists
  kInPlace,  // over the input, whose old text is kept as "FILE.orig"
};

struct OutputTarget {
  OutputMode mode = OutputMode::kDryRun;
  std::filesystem::path file;  // for kNewFile
  bool keep_original = true;   // for kInPlace: "FILE.orig"; not under version control
};

// One pass from the input to an output (null in a dry run).
using ExportPass = std::function<bool(std::istream& in, std::ostream* out, Refusal* refusal)>;

// Runs `pass` over `input` into `target`. False with `refusal` when the
// input cannot be read, the pass refuses it or the output cannot be put in
// place; nothing is then changed.
bool RewriteExportFile(const std::filesystem::path& input, const OutputTarget& target,
                       const ExportPass& pass, Refusal* refusal);

// Where an in-place rewrite keeps the original.
std::filesystem::path OriginalCopyOf(const std::filesystem::path& input);

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_EXPORT_FILE_H_
