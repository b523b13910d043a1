// The audit of an export: per note its hide-when formulas and links, in the
// shape the database audit reports.
#ifndef QUENDRAL_DXL_EXPORT_AUDIT_H_
#define QUENDRAL_DXL_EXPORT_AUDIT_H_

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <set>
#include <string>

#include "dxl/stream_rewriter.h"
#include "report/audit_report.h"
#include "report/audit_sink.h"

namespace quendral::dxl {

struct AuditOptions {
  bool all_notes = false;  // forms, subforms, pages... too, not only documents
  // Evaluates each enabled formula for this user when set.
  std::optional<std::string> user;
  // The replica IDs (16 digits) of the databases that exist; a link to any
  // other is reported as leading nowhere.
  std::set<std::string> known_replicas;
  // The data directory whose settings file @Environment reads; nothing
  // when there is none.
  std::optional<std::filesystem::path> data_directory;
};

// Reads the export from `in` into `sink` as the source `path`, each note with
// findings as soon as it ends. False with `refusal` set when the export is not
// taken; the source may then have begun, and the caller fails it.
bool AuditExport(std::istream& in, const AuditOptions& options, const std::string& path,
                 report::AuditSink& sink, Refusal* refusal);

// The same into `audit`, gathered whole (its `path` named by the caller).
bool AuditExport(std::istream& in, const AuditOptions& options, report::DatabaseAudit* audit,
                 Refusal* refusal);

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_EXPORT_AUDIT_H_
