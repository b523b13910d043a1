#include "report/audit_replay.h"

namespace quendral::report {

void ReplayAudit(const AuditRun& run, const AuditReport& report,
                 const std::vector<std::pair<std::string, std::string>>& failed, AuditSink& sink) {
  sink.BeginRun(run);
  for (const DatabaseAudit& database : report.databases) {
    sink.BeginSource({database.path, database.replica_id});
    for (const DocumentFindings& document : database.findings) {
      sink.Document(document);
    }
    sink.EndSource(database.documents);
  }
  for (const auto& [path, reason] : failed) {
    sink.FailedSource(path, reason);
  }
  sink.EndRun();
}

}  // namespace quendral::report
