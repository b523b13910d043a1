#include "dxl/export_audit_files.h"

#include <fstream>

#include "report/parallel_audit.h"

namespace quendral::dxl {

std::string AuditExportFiles(const std::vector<std::string>& files, const AuditOptions& options,
                             unsigned jobs, report::AuditSink& sink) {
  std::vector<std::string> refusals(files.size());
  report::AuditInOrder(
      files.size(), jobs,
      [&](std::size_t index, unsigned, report::AuditSink& file_sink) {
        std::ifstream in(files[index], std::ios::binary);
        Refusal refusal{"cannot be read"};
        if (!in || !AuditExport(in, options, files[index], file_sink, &refusal)) {
          refusals[index] = files[index] + ": " + refusal.Text();
          file_sink.FailedSource(files[index], refusal.Text());
        }
      },
      sink);
  std::string refused;
  for (const std::string& refusal : refusals) {
    if (!refusal.empty()) {
      refused += (refused.empty() ? "" : "; ") + refusal;
    }
  }
  return refused;
}

}  // namespace quendral::dxl
