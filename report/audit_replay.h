// An audit held in memory, handed to a sink as if it were going on: its
// databases or files in order, then those that failed.
#ifndef QUENDRAL_REPORT_AUDIT_REPLAY_H_
#define QUENDRAL_REPORT_AUDIT_REPLAY_H_

#include <string>
#include <utility>
#include <vector>

#include "report/audit_report.h"
#include "report/audit_sink.h"

namespace quendral::report {

// `failed`: path and reason of each database or file not audited.
void ReplayAudit(const AuditRun& run, const AuditReport& report,
                 const std::vector<std::pair<std::string, std::string>>& failed, AuditSink& sink);

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_AUDIT_REPLAY_H_
