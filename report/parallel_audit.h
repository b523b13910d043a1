// An audit of many databases or files on several workers at once, reported
// exactly as one worker would report it: each source is audited whole by
// one worker into a part of the sink of its own (AuditSink::NewSourcePart),
// which formats it there, and the parts are handed on to the sink in the
// order of the sources.
// Workers run only a few sources ahead of the one being handed on, so the
// parts held stay few however many sources there are.
#ifndef QUENDRAL_REPORT_PARALLEL_AUDIT_H_
#define QUENDRAL_REPORT_PARALLEL_AUDIT_H_

#include <cstddef>
#include <functional>

#include "report/audit_sink.h"

namespace quendral::report {

// Audits source `index` into `sink` (BeginSource ... EndSource, or
// FailedSource), on worker `worker` (0 to jobs - 1): what a worker opens is
// its own, as no two calls for the same worker run at once.
using SourceAudit = std::function<void(std::size_t index, unsigned worker, AuditSink& sink)>;

// Audits sources 0 to `count` - 1 into `sink` with up to `jobs` workers; with
// one job, or one source, on the calling thread. Between BeginRun and EndRun,
// which are the caller's. What an audit throws stops the run once the
// sources before it are handed on, and is thrown again here.
void AuditInOrder(std::size_t count, unsigned jobs, const SourceAudit& audit, AuditSink& sink);

// The number of workers when none is asked for: one a processor.
unsigned DefaultJobs();

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_PARALLEL_AUDIT_H_
