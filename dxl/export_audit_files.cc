#include "dxl/export_audit_files.h"

#include <fstream>

#include "report/parallel_audit.h"

namespace quendral::dxl {

std::string AuditExportFiles(const std::vector<std::filesystem::path>& files,
                             const AuditOptions& options, unsigned jobs, report::AuditSink& sink) {
  std::vector<std::string> refusals(files.size());
  report::AuditInOrder(
      files.size(), jobs,
      [&](std::size_t index, unsigned, report::AuditSink& file_sink) {
        // Opened by its path, which on Windows holds the name as the
        // system does; reported by its name as text.
        std::ifstream in(files[index], std::ios::binary);
        const std::string name = files[index].string();
        Refusal refusal{"cannot be read"};
        if (!in || !AuditExport(in, options, name, file_sink, &refusal)) {
          refusals[index] = name + ": " + refusal.Text();
          file_sink.FailedSource(name, refusal.Text());
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
