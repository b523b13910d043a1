// An audit as it goes: each report format (text, JSON, CSV, web page) is a
// sink that receives the databases or files of a run in order and each
// document with findings as soon as it is known, so that no format needs
// the whole audit in memory.
#ifndef QUENDRAL_REPORT_AUDIT_SINK_H_
#define QUENDRAL_REPORT_AUDIT_SINK_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "report/audit_report.h"

namespace quendral::report {

// What was run, for the formats that say so.
struct AuditRun {
  std::string command;                                       // "audit" or "dxl audit"
  std::vector<std::pair<std::string, std::string>> options;  // as given, in order
  std::string version;                                       // QUENDRAL's version text
  std::string started;                                       // local time, ISO 8601
  std::string source_key = "path";                           // "path" or "file"
  std::string user;  // whom the hide-when formulas were evaluated for; empty: nobody
  // Files of the folders given that are not exports and were passed over;
  // nothing for a run over databases.
  std::optional<std::int64_t> skipped;
};

// One database or exported file, as it is begun.
struct AuditSource {
  std::string path;        // database path, or the exported file
  std::string replica_id;  // "XXXXXXXX:XXXXXXXX"; empty when unknown
};

class AuditSink {
 public:
  virtual ~AuditSink() = default;

  virtual void BeginRun(const AuditRun& run) = 0;
  virtual void BeginSource(const AuditSource& source) = 0;
  // A document with at least one finding, in the order of its source.
  virtual void Document(const DocumentFindings& findings) = 0;
  // `documents`: how many documents of the source were taken.
  virtual void EndSource(std::int64_t documents) = 0;
  // A database or file that could not be audited at all.
  virtual void FailedSource(const std::string& path, const std::string& reason) = 0;
  virtual void EndRun() = 0;

  // For runs over several sources at once (report/parallel_audit.h): a sink
  // that takes one source (BeginSource ... EndSource, or FailedSource) and
  // shares nothing with this one, so that a worker can fill it while this
  // sink takes other sources; MergeSourcePart hands it on to this sink, the
  // parts in the order of their sources. A format does in its part whatever
  // needs no other source (formatting, above all), so that handing it on
  // costs little; by default the part records the calls, which the merge
  // makes again.
  virtual std::unique_ptr<AuditSink> NewSourcePart();
  // NewSourcePart is called on the workers' threads while this sink merges:
  // it reads only what BeginRun set. `part`: made by this sink's
  // NewSourcePart, and filled.
  virtual void MergeSourcePart(AuditSink& part);
};

// A sink for one source of a run (a part, see NewSourcePart): the run is not
// its to begin or end.
class AuditSourcePart : public AuditSink {
 public:
  void BeginRun(const AuditRun&) final {}
  void EndRun() final {}
};

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_AUDIT_SINK_H_
