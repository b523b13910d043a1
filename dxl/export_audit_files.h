// The audit of many export files, each read whole by one of several
// workers, reported in the order the files are given.
#ifndef QUENDRAL_DXL_EXPORT_AUDIT_FILES_H_
#define QUENDRAL_DXL_EXPORT_AUDIT_FILES_H_

#include <filesystem>
#include <string>
#include <vector>

#include "dxl/export_audit.h"
#include "report/audit_sink.h"

namespace quendral::dxl {

// Audits each file into `sink` (between the caller's BeginRun and EndRun)
// with up to `jobs` workers. A file that is not taken is left out of the
// report, and the others are audited all the same; returns those left out
// and why ("FILE: reason; ..."), empty when every file was taken.
std::string AuditExportFiles(const std::vector<std::filesystem::path>& files,
                             const AuditOptions& options, unsigned jobs, report::AuditSink& sink);

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_EXPORT_AUDIT_FILES_H_
